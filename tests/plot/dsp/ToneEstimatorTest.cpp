#include "SpectralWindow.h"
#include "ToneEstimator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr std::size_t kHann = 3;
constexpr std::size_t kBlackmanHarris = 8;
constexpr std::size_t kRectangular = 11;

struct Component {
    double frequency;
    double amplitude;
    double phase;
};

std::vector<double> signal(std::size_t count, double fs, const std::vector<Component>& parts,
                           double offset = 0.0, double noiseSigma = 0.0)
{
    std::mt19937 random(17);
    std::normal_distribution<double> noise(0.0, noiseSigma > 0 ? noiseSigma : 1.0);
    std::vector<double> y(count, offset);
    for (std::size_t n = 0; n < count; ++n) {
        for (const Component& c : parts)
            y[n] += c.amplitude * std::cos(2 * kPi * c.frequency * double(n) / fs + c.phase);
        if (noiseSigma > 0)
            y[n] += noise(random);
    }
    return y;
}

// One second at 48 kHz: a tone anywhere between two bins, a second tone 34 dB down and
// white noise 94 dB down.
TEST(ToneEstimatorTest, TonesBetweenBinsAmongNoise)
{
    const double fs = 48000, second = std::pow(10.0, -34.0 / 20);
    const double sigma = std::sqrt(0.5) * std::pow(10.0, -94.0 / 20);
    for (std::size_t w : {kHann, kBlackmanHarris}) {
        for (double fraction : {0.0, 0.13, 0.25, 0.5, 0.77, 0.99}) {
            const double f1 = 1000 + fraction, f2 = 3517.3;
            const std::vector<double> y =
                signal(48000, fs, {{f1, 1.0, 0.3}, {f2, second, 1.0}}, 0.0, sigma);
            const std::vector<Tone> tones = findTones(y.data(), y.size(), fs, w, 2);
            ASSERT_EQ(tones.size(), 2u);
            EXPECT_NEAR(tones[0].frequency, f1, 1e-5) << spectralWindowName(w) << " " << f1;
            EXPECT_NEAR(tones[0].amplitude, 1.0, 1e-6) << spectralWindowName(w) << " " << f1;
            EXPECT_NEAR(tones[1].frequency, f2, 1e-4) << spectralWindowName(w) << " " << f1;
            EXPECT_NEAR(tones[1].amplitude, second, 1e-5 * second) << spectralWindowName(w);
        }
    }
}

// Without noise the kernel fits a tone exactly, its image near DC or Nyquist and an offset
// taken into account, under every window.
TEST(ToneEstimatorTest, PureTonesComeOutExact)
{
    const double fs = 1000;
    const Component cases[] = {{123.456, 0.8, -2.0}, {2.3, 1.5, 0.5}, {498.1, 0.25, 1.2}};
    for (std::size_t w = 0; w < kSpectralWindowCount; ++w) {
        for (const Component& c : cases) {
            const std::vector<double> y = signal(1000, fs, {c}, 0.4);
            const std::vector<Tone> tones = findTones(y.data(), y.size(), fs, w, 1);
            ASSERT_EQ(tones.size(), 1u);
            EXPECT_NEAR(tones[0].frequency, c.frequency, 1e-9) << spectralWindowName(w);
            EXPECT_NEAR(tones[0].amplitude, c.amplitude, 1e-12) << spectralWindowName(w);
            EXPECT_NEAR(tones[0].phase, c.phase, 1e-9) << spectralWindowName(w);
        }
    }
}

// Side lobes are local maxima too, 31 dB down for Hann: they must not come back as tones.
// Two tones four bins apart share bins of their main lobes; both come out exact.
TEST(ToneEstimatorTest, NoToneIsReportedTwice)
{
    const std::vector<double> y = signal(4096, 4096, {{300.4, 0.5, 0}, {296.4, 1.0, 1}});
    for (std::size_t w : {kHann, std::size_t(5), kRectangular}) {
        const std::vector<Tone> tones = findTones(y.data(), y.size(), 4096, w, 4);
        ASSERT_GE(tones.size(), 2u) << spectralWindowName(w);
        EXPECT_NEAR(tones[0].frequency, 296.4, 1e-9) << spectralWindowName(w);
        EXPECT_NEAR(tones[0].amplitude, 1.0, 1e-12) << spectralWindowName(w);
        EXPECT_NEAR(tones[1].frequency, 300.4, 1e-9) << spectralWindowName(w);
        EXPECT_NEAR(tones[1].amplitude, 0.5, 1e-12) << spectralWindowName(w);
        for (std::size_t i = 2; i < tones.size(); ++i)
            EXPECT_LT(tones[i].amplitude, 1e-12) << spectralWindowName(w);
    }
}

TEST(ToneEstimatorTest, NoTonesAskedOrRefused)
{
    const std::vector<double> y = signal(100, 100, {{10, 1, 0}});
    EXPECT_TRUE(findTones(y.data(), y.size(), 100, kHann, 0).empty());
    EXPECT_THROW(findTones(y.data(), 1, 100, kHann, 1), std::invalid_argument);
    EXPECT_THROW(findTones(y.data(), y.size(), 0, kHann, 1), std::invalid_argument);
    const std::vector<double> silence(16, 0.0);
    EXPECT_TRUE(findTones(silence.data(), silence.size(), 1, kHann, 1).empty());
    // Too few bins to tell a tone's frequency from its phase: an answer, not a fault.
    for (std::size_t count : {2, 3, 4}) {
        for (const Tone& tone : findTones(y.data(), count, 100, kHann, 3)) {
            EXPECT_TRUE(std::isfinite(tone.frequency) && std::isfinite(tone.amplitude));
            EXPECT_TRUE(std::isfinite(tone.phase));
        }
    }
}

} // namespace
