#include "HarmonicAnalysis.h"
#include "SpectralWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFs = 48000;
constexpr std::size_t kHann = 3;
constexpr std::size_t kBlackmanHarris = 8;
constexpr std::size_t kRectangular = 11;

// A sine of amplitude 1 at f1 with harmonics of the given amplitudes (from the 2nd), an
// offset and Gaussian noise; one second at 48 kHz.
std::vector<double> distorted(double f1, const std::vector<double>& harmonics, double sigma)
{
    std::mt19937 random(23);
    std::normal_distribution<double> noise(0.0, sigma > 0 ? sigma : 1.0);
    std::vector<double> y(48000);
    for (std::size_t n = 0; n < y.size(); ++n) {
        const double t = double(n) / kFs;
        y[n] = 0.05 + std::sin(2 * kPi * f1 * t);
        for (std::size_t h = 0; h < harmonics.size(); ++h)
            y[n] += harmonics[h] * std::sin(2 * kPi * double(h + 2) * f1 * t + 0.7 * double(h));
        if (sigma > 0)
            y[n] += noise(random);
    }
    return y;
}

TEST(HarmonicAnalysisTest, DistortionOfKnownHarmonics)
{
    const double second = 0.01, third = std::pow(10.0, -2.5);
    const double thd = std::hypot(second, third);
    for (std::size_t w : {kHann, kBlackmanHarris, kRectangular}) {
        for (double f1 : {997.0, 1234.56}) {
            const std::vector<double> y = distorted(f1, {second, third}, 0.0);
            const HarmonicFigures f = analyseHarmonics(y.data(), y.size(), kFs, w, 0);
            const std::string where = std::string(spectralWindowName(w)) + " " + std::to_string(f1);
            EXPECT_NEAR(f.fundamentalHz, f1, 1e-9) << where;
            EXPECT_NEAR(f.fundamentalAmplitude, 1.0, 1e-12) << where;
            ASSERT_EQ(f.harmonics.size(), 9u) << where;
            EXPECT_NEAR(f.harmonics[0].frequency, 2 * f1, 1e-8) << where;
            EXPECT_NEAR(f.harmonics[0].amplitude, second, 1e-12) << where;
            EXPECT_NEAR(f.harmonics[1].amplitude, third, 1e-12) << where;
            EXPECT_LT(f.harmonics[8].amplitude, 1e-12) << where;
            EXPECT_NEAR(f.thdPercent, 100 * thd, 1e-9) << where;
            EXPECT_NEAR(f.thdDb, 20 * std::log10(thd), 1e-9) << where;
            EXPECT_NEAR(f.sfdrDbc, 40.0, 1e-9) << where;
            // Only rounding is left as noise.
            EXPECT_GT(f.snrDb, 200.0) << where;
            EXPECT_NEAR(f.sinadDb, -20 * std::log10(thd), 1e-9) << where;
            EXPECT_EQ(f.thdnDb, -f.sinadDb);
        }
    }
}

// Noise of σ = 1e-4 against a sine of amplitude 1: SNR 10·log10(0.5/σ²) = 76.99 dB.
TEST(HarmonicAnalysisTest, SignalToNoiseOfKnownNoise)
{
    const double sigma = 1e-4, snr = 10 * std::log10(0.5 / (sigma * sigma));
    for (std::size_t w : {kHann, kBlackmanHarris, std::size_t(9), kRectangular, std::size_t(10)}) {
        const std::vector<double> y = distorted(1234.56, {0.001}, sigma);
        const HarmonicFigures f = analyseHarmonics(y.data(), y.size(), kFs, w, 0);
        EXPECT_NEAR(f.snrDb, snr, 0.3) << spectralWindowName(w);
        const double sinad = 10 * std::log10(0.5 / (sigma * sigma + 0.5e-6));
        EXPECT_NEAR(f.sinadDb, sinad, 0.3) << spectralWindowName(w);
        EXPECT_NEAR(f.enobBits, (sinad - 1.76) / 6.02, 0.05) << spectralWindowName(w);
        EXPECT_NEAR(f.sfdrDbc, 60.0, 0.01) << spectralWindowName(w);
    }
}

// An ideal converter of 12 bits at full scale, its error spread as noise by a frequency that
// shares nothing with the sampling rate.
TEST(HarmonicAnalysisTest, IdealTwelveBitConverter)
{
    std::vector<double> y(48000);
    for (std::size_t n = 0; n < y.size(); ++n)
        y[n] = std::round(2047.5 * std::sin(2 * kPi * 997.0 * double(n) / kFs + 0.2) - 0.5);
    for (std::size_t w : {kHann, kBlackmanHarris}) {
        const HarmonicFigures f = analyseHarmonics(y.data(), y.size(), kFs, w, 0);
        EXPECT_NEAR(f.enobBits, 12.0, 0.05) << spectralWindowName(w);
        EXPECT_NEAR(f.snrDb, 6.02 * 12 + 1.76, 0.3) << spectralWindowName(w);
    }
}

// A fundamental asked for is the tone nearest it, though another is stronger; its harmonics
// stop below Nyquist.
TEST(HarmonicAnalysisTest, FundamentalNearestTheFrequencyAsked)
{
    std::vector<double> y(48000);
    for (std::size_t n = 0; n < y.size(); ++n) {
        const double t = double(n) / kFs;
        y[n] = std::sin(2 * kPi * 1000 * t) + 0.25 * std::sin(2 * kPi * 5000.5 * t);
    }
    const HarmonicFigures f = analyseHarmonics(y.data(), y.size(), kFs, kHann, 4990);
    EXPECT_NEAR(f.fundamentalHz, 5000.5, 1e-9);
    EXPECT_NEAR(f.fundamentalAmplitude, 0.25, 1e-12);
    EXPECT_EQ(f.harmonics.size(), 3u);
    // The stronger tone is a spur 12 dB above it.
    EXPECT_NEAR(f.sfdrDbc, 20 * std::log10(0.25), 1e-9);
    EXPECT_NEAR(analyseHarmonics(y.data(), y.size(), kFs, kHann, 0).fundamentalHz, 1000, 1e-9);
}

TEST(HarmonicAnalysisTest, NothingToMeasureIsRefused)
{
    const std::vector<double> silence(1000, 0.0);
    EXPECT_THROW(analyseHarmonics(silence.data(), silence.size(), kFs, kHann, 0),
                 std::invalid_argument);
    EXPECT_THROW(analyseHarmonics(silence.data(), 1, kFs, kHann, 0), std::invalid_argument);
    EXPECT_THROW(analyseHarmonics(silence.data(), silence.size(), -1, kHann, 0),
                 std::invalid_argument);
}

} // namespace
