#include "DftReference.h"
#include "SpectralWindow.h"
#include "Spectrogram.h"
#include "WelchPsd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

const std::size_t kHann = std::size_t(spectralWindowIndex("Hann"));
const std::size_t kRectangular = std::size_t(spectralWindowIndex("Rectangular"));
const std::size_t kFlatTop = std::size_t(spectralWindowIndex("Flat top"));

// A linear chirp from f0 to f1 Hz over `count` points at fs, amplitude 1, plus an offset that
// each segment's mean removal must take out.
std::vector<double> chirp(std::size_t count, double fs, double f0, double f1)
{
    const double duration = double(count) / fs;
    std::vector<double> y(count);
    for (std::size_t n = 0; n < count; ++n) {
        const double t = double(n) / fs;
        y[n] = 0.25 + std::sin(2 * M_PI * (f0 * t + (f1 - f0) / (2 * duration) * t * t));
    }
    return y;
}

// The defining formula in long double: 2·|DFT(w·(s − mean))|²/(fs·S2), DC and Nyquist once.
std::vector<double> referenceRow(const std::vector<double>& y, std::size_t start, std::size_t length, double fs,
                                 std::size_t windowIndex)
{
    const SpectralWindow window(windowIndex, length);
    long double mean = 0;
    for (std::size_t n = 0; n < length; ++n)
        mean += y[start + n];
    mean /= length;
    std::vector<double> weighted(length);
    for (std::size_t n = 0; n < length; ++n)
        weighted[n] = double(window.values()[n] * (y[start + n] - mean));
    const auto bins = referenceDft(weighted, std::vector<double>(length, 0.0), allBins(length / 2 + 1));
    std::vector<double> row;
    for (std::size_t k = 0; k < bins.size(); ++k) {
        const bool single = k == 0 || 2 * k == length;
        row.push_back(double((single ? 1 : 2) * std::norm(bins[k]) / (fs * window.sumOfSquares())));
    }
    return row;
}

struct Shape {
    std::size_t count;
    std::size_t length;
    double overlap;
    std::size_t window;
    std::size_t segments;
};

class SpectrogramShapes : public ::testing::TestWithParam<Shape>
{
};

// Every density of every segment against the formula: a float keeps 24 bits of the value,
// and the transform's own rounding is relative to the segment's largest bin.
TEST_P(SpectrogramShapes, MatchesTheFormulaAtEveryTimeAndFrequency)
{
    const Shape shape = GetParam();
    const double fs = 8000;
    const std::vector<double> y = chirp(shape.count, fs, 100, 3500);
    const Spectrogram s(y.data(), y.size(), fs, shape.length, shape.overlap, shape.window);
    ASSERT_EQ(s.segments(), shape.segments);
    ASSERT_EQ(s.bins(), shape.length / 2 + 1);
    const std::size_t step = shape.length - std::size_t(std::floor(shape.length * shape.overlap / 100));
    EXPECT_EQ(s.step(), step);
    for (std::size_t i = 0; i < s.segments(); ++i) {
        EXPECT_EQ(s.time(i), (double(i * step) + shape.length / 2.0) / fs) << i;
        const std::vector<double> expected = referenceRow(y, i * step, shape.length, fs, shape.window);
        const double largest = *std::max_element(expected.begin(), expected.end());
        for (std::size_t k = 0; k < s.bins(); ++k)
            ASSERT_NEAR(s.density(i, k), expected[k], 1.2e-7 * expected[k] + 1e-12 * largest) << i << ',' << k;
    }
    for (std::size_t k = 0; k < s.bins(); ++k)
        EXPECT_EQ(s.frequency(k), double(k) * fs / double(shape.length));
}

// The last segment ends at the last value or up to a step before it; an odd length has no
// Nyquist bin and its centre falls between two values.
INSTANTIATE_TEST_SUITE_P(Spectrogram, SpectrogramShapes,
                         ::testing::Values(Shape{256, 256, 50, kHann, 1}, Shape{383, 256, 50, kHann, 1},
                                           Shape{384, 256, 50, kHann, 2}, Shape{1000, 64, 75, kRectangular, 59},
                                           Shape{1001, 125, 0, kFlatTop, 8}, Shape{500, 99, 50, kHann, 9},
                                           Shape{40, 2, 0, kHann, 20}));

// A tone on bin 8 of a rectangular segment gives A²·L/(2·fs) there; one at the Nyquist
// frequency gives A²·L/fs, not doubled; the Hann window's S2 = 3L/8 gives A²·L/(3·fs).
TEST(Spectrogram, ToneValuesAtTheirBins)
{
    const double fs = 1024;
    const std::size_t length = 64;
    std::vector<double> tone(512);
    std::vector<double> nyquist(512);
    for (std::size_t n = 0; n < tone.size(); ++n) {
        tone[n] = 3 * std::cos(2 * M_PI * 8 * double(n) / length);
        nyquist[n] = n % 2 ? -3 : 3;
    }
    const Spectrogram rectangular(tone.data(), tone.size(), fs, length, 50, kRectangular);
    const Spectrogram hann(tone.data(), tone.size(), fs, length, 50, kHann);
    const Spectrogram top(nyquist.data(), nyquist.size(), fs, length, 0, kRectangular);
    ASSERT_EQ(rectangular.segments(), 15u);
    for (std::size_t i = 0; i < rectangular.segments(); ++i) {
        EXPECT_NEAR(rectangular.density(i, 8), 9.0 * 64 / (2 * fs), 1e-6) << i;
        EXPECT_NEAR(hann.density(i, 8), 9.0 * 64 / (3 * fs), 1e-6) << i;
        EXPECT_NEAR(rectangular.density(i, 7), 0, 1e-12) << i;
        EXPECT_NEAR(hann.level(i, 8), 10 * std::log10(9.0 * 64 / (3 * fs)), 1e-6) << i;
    }
    EXPECT_NEAR(top.density(3, 32), 9.0 * 64 / fs, 1e-6);
    EXPECT_NEAR(top.frequency(32), fs / 2, 0);
}

// The loudest bin of each segment follows the chirp's instantaneous frequency at the
// segment's centre, to within a bin.
TEST(Spectrogram, ChirpPeakFollowsTheFrequencyAtEachCentre)
{
    const double fs = 48000;
    const std::size_t count = 96000;
    const std::vector<double> y = chirp(count, fs, 500, 4000);
    const Spectrogram s(y.data(), count, fs, 1024, 50, kHann);
    for (std::size_t i = 0; i < s.segments(); ++i) {
        const float* row = s.row(i);
        const std::size_t peak = std::size_t(std::max_element(row, row + s.bins()) - row);
        const double expected = 500 + (4000 - 500) * s.time(i) / (count / fs);
        EXPECT_NEAR(s.frequency(peak), expected, fs / 1024) << i;
    }
}

// Values scaled by a power of two scale every density by its square, bit for bit, however
// far outside a float's range the densities lie; silence is −∞ dB.
TEST(Spectrogram, DensitiesBeyondAFloatsRangeKeepEveryBit)
{
    const std::vector<double> y = chirp(600, 1000, 50, 400);
    const Spectrogram plain(y.data(), y.size(), 1000, 128, 50, kHann);
    for (int power : {-400, 400}) {
        std::vector<double> scaled(y);
        for (double& v : scaled)
            v = std::ldexp(v, power);
        const Spectrogram s(scaled.data(), scaled.size(), 1000, 128, 50, kHann);
        for (std::size_t i = 0; i < s.segments(); ++i) {
            for (std::size_t k = 0; k < s.bins(); ++k) {
                ASSERT_EQ(s.density(i, k), std::ldexp(plain.density(i, k), 2 * power)) << power;
                ASSERT_NEAR(s.level(i, k), plain.level(i, k) + 20 * power * std::log10(2.0), 1e-9);
            }
        }
    }
    const std::vector<double> silence(300, 7.5);
    const Spectrogram quiet(silence.data(), silence.size(), 1000, 100, 0, kHann);
    EXPECT_EQ(quiet.density(2, 10), 0.0);
    EXPECT_EQ(quiet.level(2, 10), -std::numeric_limits<double>::infinity());
}

// Averaged over its segments, the spectrogram is Welch's PSD with the same settings.
TEST(Spectrogram, MeanOfItsSegmentsIsTheWelchPsd)
{
    const std::vector<double> y = chirp(5000, 2000, 20, 900);
    const Spectrogram s(y.data(), y.size(), 2000, 300, 60, kHann);
    const Spectrum psd = welchPsd(y.data(), y.size(), 2000, 300, 60, kHann);
    ASSERT_EQ(psd.segments, s.segments());
    ASSERT_EQ(psd.y.size(), s.bins());
    for (std::size_t k = 0; k < s.bins(); ++k) {
        double sum = 0;
        for (std::size_t i = 0; i < s.segments(); ++i)
            sum += s.density(i, k);
        EXPECT_NEAR(sum / double(s.segments()), psd.y[k], 2e-7 * psd.y[k] + 1e-15) << k;
        EXPECT_EQ(s.frequency(k), psd.x[k]);
    }
}

TEST(Spectrogram, RefusesWhatHasNoSpectrogram)
{
    std::vector<double> y(100, 1.0);
    EXPECT_THROW(Spectrogram(y.data(), y.size(), 1000, 101, 50, kHann), std::invalid_argument);
    EXPECT_THROW(Spectrogram(y.data(), y.size(), 1000, 1, 50, kHann), std::invalid_argument);
    EXPECT_THROW(Spectrogram(y.data(), y.size(), 1000, 10, 100, kHann), std::invalid_argument);
    EXPECT_THROW(Spectrogram(y.data(), y.size(), 1000, 10, -1, kHann), std::invalid_argument);
    EXPECT_THROW(Spectrogram(y.data(), y.size(), 0, 10, 50, kHann), std::invalid_argument);
    y[99] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(Spectrogram(y.data(), y.size(), 1000, 10, 50, kHann), std::invalid_argument);
    EXPECT_EQ(Spectrogram::segmentsOf(99, 100, 50), 0u);
    EXPECT_EQ(Spectrogram::segmentsOf(100, 100, 99.9), 1u);
    EXPECT_EQ(Spectrogram::stepOf(100, 99.9), 1u);
}

} // namespace
