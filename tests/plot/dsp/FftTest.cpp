#include "Fft.h"

#include "DftReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

struct Signal {
    std::vector<double> re;
    std::vector<double> im;
};

Signal randomSignal(std::size_t n, unsigned seed)
{
    std::mt19937_64 generator(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    Signal signal{std::vector<double>(n), std::vector<double>(n)};
    for (std::size_t k = 0; k < n; ++k) {
        signal.re[k] = uniform(generator);
        signal.im[k] = uniform(generator);
    }
    return signal;
}

Signal realSignal(std::vector<double> re)
{
    const std::size_t n = re.size();
    return {std::move(re), std::vector<double>(n, 0.0)};
}

Signal transformed(Signal signal, const Fft::Progress& progress = {})
{
    const Fft fft(signal.re.size());
    EXPECT_TRUE(fft.forward(signal.re.data(), signal.im.data(), progress));
    return signal;
}

// The textbook sum, in double, with k·n reduced modulo N so that every angle is exact.
Signal naiveDft(const Signal& x)
{
    const std::size_t n = x.re.size();
    const double twoPi = 2.0 * std::acos(-1.0);
    std::vector<double> cosines(n);
    std::vector<double> sines(n);
    for (std::size_t t = 0; t < n; ++t) {
        cosines[t] = std::cos(twoPi * double(t) / double(n));
        sines[t] = std::sin(twoPi * double(t) / double(n));
    }
    Signal result{std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
    for (std::size_t k = 0; k < n; ++k) {
        double sumRe = 0.0;
        double sumIm = 0.0;
        for (std::size_t t = 0; t < n; ++t) {
            const std::size_t angle = k * t % n;
            sumRe += x.re[t] * cosines[angle] + x.im[t] * sines[angle];
            sumIm += x.im[t] * cosines[angle] - x.re[t] * sines[angle];
        }
        result.re[k] = sumRe / double(n);
        result.im[k] = sumIm / double(n);
    }
    return result;
}

// max|X − X_ref| / max|X_ref| over every bin.
double relativeError(const Signal& got, const Signal& reference)
{
    double worst = 0.0;
    double largest = 0.0;
    for (std::size_t k = 0; k < got.re.size(); ++k) {
        worst = std::max(worst, std::hypot(got.re[k] - reference.re[k], got.im[k] - reference.im[k]));
        largest = std::max(largest, std::hypot(reference.re[k], reference.im[k]));
    }
    return worst / largest;
}

// The same over the chosen bins, against the long-double sum.
double relativeErrorAt(std::size_t n, unsigned seed, std::size_t binCount)
{
    const Signal x = randomSignal(n, seed);
    std::vector<std::size_t> bins = {0, n / 2, n - 1};
    for (std::size_t b = 0; b < binCount; ++b)
        bins.push_back((b * 2654435761u) % n); // spread over the whole range
    const auto reference = referenceDft(x.re, x.im, bins);
    const Signal got = transformed(x);
    return relativeErrorOf(reference, [&](std::size_t b) {
        return std::complex<long double>(got.re[bins[b]], got.im[bins[b]]) * (long double)n;
    });
}

std::vector<int> stagesReported(std::size_t n)
{
    std::vector<int> calls;
    transformed(randomSignal(n, 1), [&](int stage) {
        calls.push_back(stage);
        return true;
    });
    return calls;
}

std::vector<int> upTo(int count)
{
    std::vector<int> indices(count);
    for (int k = 0; k < count; ++k)
        indices[k] = k;
    return indices;
}

TEST(FftTest, PowerOfTwoRunsRadix2StagesAndMatchesTheDft)
{
    const Fft fft(1024);
    EXPECT_EQ(fft.size(), 1024u);
    EXPECT_TRUE(fft.isPowerOfTwo());
    EXPECT_EQ(fft.stages(), 10);
    EXPECT_EQ(stagesReported(1024), upTo(10));

    // Every power of two up to 4096: odd and even stage counts, and bit reversal with and
    // without the tiles it trades.
    for (std::size_t n = 1; n <= 4096; n *= 2) {
        const Signal x = randomSignal(n, unsigned(n));
        EXPECT_LE(relativeError(transformed(x), naiveDft(x)), 1e-13) << n;
    }
}

TEST(FftTest, OtherLengthsReportTheirInnerStagesAndMatchTheDft)
{
    // 1000 = 2·(10·10·5): two radix-10 passes and one of radix 5 on each half, then the join.
    const Fft fft(1000);
    EXPECT_FALSE(fft.isPowerOfTwo());
    EXPECT_EQ(fft.stages(), 6);
    EXPECT_EQ(stagesReported(1000), upTo(6));
    // The prime 1009 convolves over M = 2025 = 3^4·5^2, the smallest product of 2, 3, 5 and 7
    // at or above 2·1009 − 1: twice six stages.
    EXPECT_EQ(Fft(1009).stages(), 12);
    EXPECT_EQ(stagesReported(1009), upTo(12));

    for (std::size_t n : {1000u, 5u, 6u, 7u, 97u, 1025u}) {
        const Signal x = randomSignal(n, unsigned(n));
        EXPECT_LE(relativeError(transformed(x), naiveDft(x)), 1e-13) << n;
    }
}

TEST(FftTest, SmallLengthsByHand)
{
    const double third = std::sqrt(3.0) / 6.0; // (√3/2)/3

    Signal one = transformed({{2.5}, {-1.5}});
    EXPECT_EQ(one.re, std::vector<double>{2.5});
    EXPECT_EQ(one.im, std::vector<double>{-1.5});

    // (a + b)/2 and (a − b)/2, real and imaginary parts kept apart.
    Signal two = transformed({{3, 1}, {2, -4}});
    EXPECT_DOUBLE_EQ(two.re[0], 2.0);
    EXPECT_DOUBLE_EQ(two.im[0], -1.0);
    EXPECT_DOUBLE_EQ(two.re[1], 1.0);
    EXPECT_DOUBLE_EQ(two.im[1], 3.0);

    // A delayed impulse gives e^(−2πi·k/N)/N: the sign of the exponent shows.
    Signal three = transformed(realSignal({0, 1, 0}));
    const std::vector<double> threeRe = {1.0 / 3, -1.0 / 6, -1.0 / 6};
    const std::vector<double> threeIm = {0, -third, third};
    Signal four = transformed(realSignal({0, 1, 0, 0}));
    const std::vector<double> fourRe = {0.25, 0, -0.25, 0};
    const std::vector<double> fourIm = {0, -0.25, 0, 0.25};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(three.re[k], threeRe[k], 1e-15) << k;
        EXPECT_NEAR(three.im[k], threeIm[k], 1e-15) << k;
    }
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(four.re[k], fourRe[k], 1e-15) << k;
        EXPECT_NEAR(four.im[k], fourIm[k], 1e-15) << k;
    }

    // 1, 2, 3 → 2, −1/2 ± i·√3/6; 1, 2, 3, 4 → 5/2, −1/2 + i/2, −1/2, −1/2 − i/2.
    three = transformed(realSignal({1, 2, 3}));
    EXPECT_NEAR(three.re[0], 2.0, 1e-15);
    EXPECT_NEAR(three.re[1], -0.5, 1e-15);
    EXPECT_NEAR(three.im[1], third, 1e-15);
    EXPECT_NEAR(three.im[2], -third, 1e-15);
    four = transformed(realSignal({1, 2, 3, 4}));
    EXPECT_EQ(four.re, (std::vector<double>{2.5, -0.5, -0.5, -0.5}));
    EXPECT_EQ(four.im, (std::vector<double>{0, 0.5, 0, -0.5}));
}

// An impulse at n = 1 gives the twiddle factors themselves, and e^(−iπ/4) takes the first
// octant's cosine and sine in their places: bit for bit, they are not equal.
TEST(FftTest, TwiddlesOfTheFirstOctantAreExact)
{
    Signal impulse = realSignal(std::vector<double>(8, 0.0));
    impulse.re[1] = 8;
    const Signal spectrum = transformed(impulse);
    EXPECT_EQ(spectrum.re[1], 0x1.6a09e667f3bcdp-1); // 0.70710678118654757, cos(π/4)
    EXPECT_EQ(spectrum.im[1], -0x1.6a09e667f3bccp-1); // −0.70710678118654746, −sin(π/4)
}

TEST(FftTest, ConstantGivesDcOnly)
{
    for (std::size_t n : {8u, 12u}) {
        const Signal spectrum = transformed(realSignal(std::vector<double>(n, 1.0)));
        EXPECT_NEAR(spectrum.re[0], 1.0, 1e-15) << n;
        EXPECT_NEAR(spectrum.im[0], 0.0, 1e-15) << n;
        for (std::size_t k = 1; k < n; ++k) {
            EXPECT_NEAR(spectrum.re[k], 0.0, 1e-15) << n << " bin " << k;
            EXPECT_NEAR(spectrum.im[k], 0.0, 1e-15) << n << " bin " << k;
        }
    }
}

TEST(FftTest, SineLandsOnItsBinAndItsMirror)
{
    // 1 kHz at 48 kHz over 4800 points: exactly 100 periods, so bin 100 and bin 4700 (−100).
    const std::size_t n = 4800;
    const double twoPi = 2.0 * std::acos(-1.0);
    std::vector<double> samples(n);
    for (std::size_t t = 0; t < n; ++t)
        samples[t] = std::sin(twoPi * 1000.0 * double(t) / 48000.0);
    const Signal spectrum = transformed(realSignal(samples));

    std::vector<double> magnitude(n);
    for (std::size_t k = 0; k < n; ++k)
        magnitude[k] = std::hypot(spectrum.re[k], spectrum.im[k]);
    const auto peak = std::max_element(magnitude.begin(), magnitude.begin() + n / 2 + 1);
    EXPECT_EQ(peak - magnitude.begin(), 100);
    EXPECT_NEAR(magnitude[100], 0.5, 1e-12);
    EXPECT_NEAR(magnitude[n - 100], 0.5, 1e-12);
    // sin = (e^(iωt) − e^(−iωt))/2i: −i/2 at +100, +i/2 at −100.
    EXPECT_NEAR(spectrum.im[100], -0.5, 1e-12);
    EXPECT_NEAR(spectrum.im[n - 100], 0.5, 1e-12);
    for (std::size_t k = 0; k < n; ++k) {
        if (k != 100 && k != n - 100) {
            EXPECT_LT(magnitude[k], 1e-12) << k;
        }
    }
}

TEST(FftTest, AccurateAgainstALongDoubleDft)
{
    EXPECT_LE(relativeErrorAt(1u << 16, 11, 256), 1e-12);
    EXPECT_LE(relativeErrorAt(3 * 5 * 7 * 11 * 13, 13, 256), 1e-12);
    // A large prime: Bluestein over M = 2^21.
    EXPECT_LE(relativeErrorAt(1000003, 17, 16), 1e-12);
}

TEST(FftTest, ProgressStopsTheTransformAtOnce)
{
    for (std::size_t n : {1024u, 1000u, 1009u}) {
        const Fft fft(n);
        for (int stopAt : {0, 3, fft.stages() / 2, fft.stages() - 1}) {
            Signal x = randomSignal(n, 3);
            std::vector<int> calls;
            const bool done = fft.forward(x.re.data(), x.im.data(), [&](int stage) {
                calls.push_back(stage);
                return stage != stopAt;
            });
            EXPECT_FALSE(done) << n << " stopped at " << stopAt;
            EXPECT_EQ(calls, upTo(stopAt + 1)) << n << " stopped at " << stopAt;
        }
        // Stopped before the first stage, the input is untouched.
        Signal x = randomSignal(n, 3);
        EXPECT_FALSE(fft.forward(x.re.data(), x.im.data(), [](int) { return false; }));
        EXPECT_EQ(x.re, randomSignal(n, 3).re) << n;
        EXPECT_EQ(x.im, randomSignal(n, 3).im) << n;
    }
}

TEST(FftTest, APlanKeepsNoStateBetweenCalls)
{
    for (std::size_t n : {1024u, 1000u, 1009u}) {
        const Fft fft(n);
        Signal first = randomSignal(n, 5);
        Signal second = first;
        ASSERT_TRUE(fft.forward(first.re.data(), first.im.data()));

        // A stopped call leaves the scratch half used; the next call must not care.
        Signal stopped = randomSignal(n, 6);
        fft.forward(stopped.re.data(), stopped.im.data(),
                    [&](int stage) { return stage < fft.stages() - 1; });

        ASSERT_TRUE(fft.forward(second.re.data(), second.im.data()));
        EXPECT_EQ(first.re, second.re) << n;
        EXPECT_EQ(first.im, second.im) << n;
    }
}

TEST(FftTest, BadInputIsRefused)
{
    EXPECT_THROW(Fft(0), std::invalid_argument);
    // Beyond 2^32 points, the transform's own or its convolution's for a prime above 2^31,
    // before any memory is taken.
    EXPECT_THROW(Fft(std::size_t(1) << 33), std::bad_alloc);
    EXPECT_THROW(Fft(2147483659u), std::bad_alloc);
    EXPECT_THROW(Fft(2 * std::size_t(2147483659u)), std::bad_alloc);
    const Fft fft(16);
    EXPECT_FALSE(fft.forward(nullptr, nullptr));
}

// Each radix alone and mixed, odd and even, primes and products with a prime above 7 (for
// Bluestein's method on one sequence and on several interleaved ones).
const std::size_t kLengths[] = {1,   2,   3,   4,   5,   7,   8,  9,    12,   16,   18,  30,
                                49,  60,  64,  100, 210, 360, 840, 1000, 97, 1009, 2018, 858, 1331};

std::complex<long double> scaledBin(const Signal& got, std::size_t k)
{
    return std::complex<long double>(got.re[k], got.im[k]) * (long double)got.re.size();
}

TEST(FftTest, EveryLengthMatchesALongDoubleDft)
{
    for (std::size_t n : kLengths) {
        const Signal x = randomSignal(n, unsigned(n));
        const auto reference = referenceDft(x.re, x.im, allBins(n));
        const Signal got = transformed(x);
        EXPECT_LE(relativeErrorOf(reference, [&](std::size_t k) { return scaledBin(got, k); }), 1e-14)
            << n;
    }
}

TEST(FftTest, RealInputGivesEveryBinAtTheSameStages)
{
    for (std::size_t n : kLengths) {
        const Fft fft(n);
        Signal x = randomSignal(n, unsigned(n));
        std::fill(x.im.begin(), x.im.end(), 0.0);
        const auto reference = referenceDft(x.re, x.im, allBins(n));
        Signal got{x.re, std::vector<double>(n, 7.0)}; // `im` is only written
        std::vector<int> calls;
        ASSERT_TRUE(fft.forwardReal(got.re.data(), got.im.data(), [&](int stage) {
            calls.push_back(stage);
            return true;
        }));
        EXPECT_EQ(calls, upTo(fft.stages())) << n;
        EXPECT_LE(relativeErrorOf(reference, [&](std::size_t k) { return scaledBin(got, k); }), 1e-14)
            << n;
    }
}

TEST(FftTest, RealInputStopsAtOnce)
{
    for (std::size_t n : {1024u, 1009u, 2018u}) {
        const Fft fft(n);
        const Signal x = randomSignal(n, 9);
        // Stopped before the first stage, the input is untouched; stopped before the last,
        // the transform is not done.
        for (int stopAt : {0, fft.stages() - 1}) {
            Signal got = x;
            EXPECT_FALSE(fft.forwardReal(got.re.data(), got.im.data(),
                                         [&](int stage) { return stage != stopAt; }))
                << n;
            if (stopAt == 0) {
                EXPECT_EQ(got.re, x.re) << n;
            }
        }
    }
    const Fft fft(16);
    std::vector<double> re(16, 1.0);
    EXPECT_FALSE(fft.forwardReal(re.data(), nullptr));
    EXPECT_FALSE(fft.forwardReal(nullptr, re.data()));
}

TEST(FftTest, APlanIsMadeOncePerLengthAndThread)
{
    const Fft& plan = fftPlan(1000);
    EXPECT_EQ(plan.size(), 1000u);
    EXPECT_EQ(&fftPlan(48), &fftPlan(48));
    EXPECT_EQ(&fftPlan(1000), &plan);
    const Fft* elsewhere = nullptr;
    std::thread([&] { elsewhere = &fftPlan(1000); }).join();
    EXPECT_NE(elsewhere, &plan);
}

} // namespace
