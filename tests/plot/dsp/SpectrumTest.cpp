#include "AmplitudeSpectrum.h"
#include "SpectralWindow.h"
#include "WelchPsd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr std::size_t kHann = 3;
constexpr std::size_t kRectangular = 11;

std::vector<double> sine(std::size_t count, double cycles, double amplitude, double offset)
{
    std::vector<double> y(count);
    for (std::size_t n = 0; n < count; ++n)
        y[n] = offset + amplitude * std::sin(2 * kPi * cycles * double(n) / double(count) + 0.4);
    return y;
}

std::vector<double> whiteNoise(std::size_t count, double sigma, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, sigma);
    std::vector<double> y(count);
    for (double& v : y)
        v = noise(random);
    return y;
}

// A sine on a bin reads its amplitude there and an offset reads itself at DC, whether N is
// odd or even. The cosine sums are exact: their transforms are 0 on every other whole bin.
// The other windows see a little of the offset and of the sine's mirror image.
TEST(AmplitudeSpectrumTest, BinCentredSineReadsItsAmplitude)
{
    for (std::size_t w = 0; w < kSpectralWindowCount; ++w) {
        const bool cosineSum = (w >= kHann && w <= 9) || w == kRectangular;
        const double tolerance = cosineSum ? 1e-12 : 2e-4;
        for (std::size_t count : {1000, 1001}) {
            const std::vector<double> y = sine(count, 50, 2.5, -0.75);
            const Spectrum s = amplitudeSpectrum(y.data(), count, 200.0, w);
            ASSERT_EQ(s.y.size(), count / 2 + 1);
            EXPECT_EQ(s.segments, 1u);
            EXPECT_DOUBLE_EQ(s.x[50], 50 * 200.0 / double(count));
            EXPECT_NEAR(s.y[50], 2.5, 2.5 * tolerance) << spectralWindowName(w) << " " << count;
            EXPECT_NEAR(s.y[0], 0.75, 0.75 * tolerance) << spectralWindowName(w) << " " << count;
        }
    }
}

TEST(AmplitudeSpectrumTest, NyquistIsNotDoubled)
{
    std::vector<double> y(64);
    for (std::size_t n = 0; n < y.size(); ++n)
        y[n] = n % 2 ? -0.5 : 0.5;
    const Spectrum s = amplitudeSpectrum(y.data(), y.size(), 1.0, kRectangular);
    EXPECT_NEAR(s.y.back(), 0.5, 1e-15);
    EXPECT_DOUBLE_EQ(s.x.back(), 0.5);
}

// One segment of the whole curve under the rectangular window holds the variance exactly.
TEST(WelchPsdTest, ParsevalForOneSegment)
{
    for (std::size_t count : {512, 777}) {
        std::vector<double> y = whiteNoise(count, 1.5, 11);
        for (double& v : y)
            v += 3.0;
        double mean = 0, variance = 0;
        for (double v : y)
            mean += v / double(count);
        for (double v : y)
            variance += (v - mean) * (v - mean) / double(count);
        const double fs = 250.0;
        const Spectrum s = welchPsd(y.data(), count, fs, count, 0.0, kRectangular);
        double integral = 0;
        for (double p : s.y)
            integral += p * fs / double(count);
        EXPECT_NEAR(integral, variance, 1e-12 * variance) << count;
        EXPECT_LT(s.y[0], 1e-20);
    }
}

// White noise of variance σ² has a flat density 2σ²/fs whose integral is σ², under any window.
TEST(WelchPsdTest, WhiteNoiseLevelAndIntegral)
{
    const double sigma = 2.0, fs = 1000.0;
    const std::vector<double> y = whiteNoise(1 << 16, sigma, 3);
    for (std::size_t w : {kHann, std::size_t(8), std::size_t(9), std::size_t(10), kRectangular}) {
        const Spectrum s = welchPsd(y.data(), y.size(), fs, 1024, 50.0, w);
        ASSERT_EQ(s.y.size(), 513u);
        EXPECT_EQ(s.segments, 127u);
        EXPECT_DOUBLE_EQ(s.x[512], 500.0);
        double integral = 0, level = 0;
        for (std::size_t k = 1; k < s.y.size(); ++k) {
            integral += s.y[k] * fs / 1024;
            level += s.y[k] / double(s.y.size() - 1);
        }
        EXPECT_NEAR(integral, sigma * sigma, 0.03 * sigma * sigma) << spectralWindowName(w);
        EXPECT_NEAR(level, 2 * sigma * sigma / fs, 0.03 * 2 * sigma * sigma / fs);
    }
}

// The step is length − floor(length·overlap/100): 256 points at 50 % step by 128, at 99.9 %
// by 1, at 0 % by 256; a last partial segment is left out.
TEST(WelchPsdTest, SegmentsFromLengthAndOverlap)
{
    const std::vector<double> y = whiteNoise(1000, 1.0, 1);
    const std::pair<double, std::size_t> cases[] = {{0.0, 3}, {50.0, 6}, {99.9, 745}, {25.0, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(welchPsd(y.data(), 1000, 1.0, 256, c.first, kHann).segments, c.second) << c.first;
    EXPECT_EQ(welchPsd(y.data(), 1000, 1.0, 1000, 50.0, kHann).segments, 1u);
    EXPECT_EQ(welchPsd(y.data(), 1000, 1.0, 2, 0.0, kHann).y.size(), 2u);
}

TEST(SpectrumInputTest, RefusesWhatHasNoSpectrum)
{
    std::vector<double> y(100, 1.0);
    std::vector<double> gap = y;
    gap[37] = NAN;
    std::vector<double> infinite = y;
    infinite[99] = -INFINITY;
    const double* p = y.data();
    const std::function<void()> refused[] = {
        [&] { welchPsd(p, 100, 1.0, 1, 0.0, kHann); },
        [&] { welchPsd(p, 100, 1.0, 101, 0.0, kHann); },
        [&] { welchPsd(p, 100, 1.0, 50, -1.0, kHann); },
        [&] { welchPsd(p, 100, 1.0, 50, 100.0, kHann); },
        [&] { welchPsd(p, 100, 1.0, 50, NAN, kHann); },
        [&] { welchPsd(p, 100, 0.0, 50, 0.0, kHann); },
        [&] { welchPsd(p, 100, -5.0, 50, 0.0, kHann); },
        [&] { welchPsd(p, 100, INFINITY, 50, 0.0, kHann); },
        [&] { welchPsd(p, 100, NAN, 50, 0.0, kHann); },
        [&] { welchPsd(gap.data(), 100, 1.0, 50, 0.0, kHann); },
        [&] { welchPsd(infinite.data(), 100, 1.0, 50, 0.0, kHann); },
        [&] { amplitudeSpectrum(p, 1, 1.0, kHann); },
        [&] { amplitudeSpectrum(p, 100, 0.0, kHann); },
        [&] { amplitudeSpectrum(gap.data(), 100, 1.0, kHann); },
    };
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_THROW(refused[i](), std::invalid_argument) << "case " << i;
}

} // namespace
