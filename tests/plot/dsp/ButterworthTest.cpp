#include "Butterworth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

using Band = Butterworth::Band;

const double kFs = 1000;

// |H(f)|² of the textbook design: the analogue Butterworth response 1 / (1 + (Ω/Ωc)^2N) at the
// frequency the bilinear transform maps f to, Ω = 2·fs·tan(π·f/fs).
double textbookPower(Band band, int order, double f, double low, double high)
{
    const auto omega = [](double hz) { return 2 * kFs * std::tan(M_PI * hz / kFs); };
    const double w = omega(f);
    double ratio = w / omega(low);
    if (band == Band::HighPass)
        ratio = omega(low) / w;
    if (band == Band::BandPass)
        ratio = (w * w - omega(low) * omega(high)) / (w * (omega(high) - omega(low)));
    return 1 / (1 + std::pow(ratio, 2 * order));
}

struct Design {
    Band band;
    int order;
    double low;
    double high;
};

void PrintTo(const Design& d, std::ostream* out)
{
    *out << "band " << int(d.band) << " order " << d.order << " from " << d.low << " to " << d.high;
}

class ButterworthTest : public ::testing::TestWithParam<Design>
{
};

TEST_P(ButterworthTest, ThreeDecibelsDownAtEachCutoff)
{
    const Design d = GetParam();
    const SosCascade filter = Butterworth::design(d.band, d.order, kFs, d.low, d.high);
    EXPECT_NEAR(20 * std::log10(std::abs(filter.response(d.low, kFs))), -3.0103, 1e-4);
    if (d.band == Band::BandPass) {
        EXPECT_NEAR(20 * std::log10(std::abs(filter.response(d.high, kFs))), -3.0103, 1e-4);
    }
}

TEST_P(ButterworthTest, TheResponseIsTheTextbookOneEverywhere)
{
    const Design d = GetParam();
    const SosCascade filter = Butterworth::design(d.band, d.order, kFs, d.low, d.high);
    for (double f = 1; f < kFs / 2; f += 7.3)
        EXPECT_NEAR(std::norm(filter.response(f, kFs)), textbookPower(d.band, d.order, f, d.low, d.high), 1e-9) << f;
}

// Stable: every section's poles lie inside the unit circle (|a2| < 1, |a1| < 1 + a2), and
// a band-pass of order N has N sections, the others (N + 1) / 2.
TEST_P(ButterworthTest, SectionsAreStableAndAsManyAsThePolesNeed)
{
    const Design d = GetParam();
    const SosCascade filter = Butterworth::design(d.band, d.order, kFs, d.low, d.high);
    const std::size_t expected = d.band == Band::BandPass ? std::size_t(d.order) : std::size_t(d.order + 1) / 2;
    EXPECT_EQ(filter.sections().size(), expected);
    for (const SecondOrderSection& s : filter.sections()) {
        EXPECT_LT(std::abs(s.a2), 1);
        EXPECT_LT(std::abs(s.a1), 1 + s.a2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, ButterworthTest,
    ::testing::Values(Design{Band::LowPass, 1, 100, 0}, Design{Band::LowPass, 2, 100, 0}, Design{Band::LowPass, 5, 10, 0},
                      Design{Band::LowPass, 8, 300, 0}, Design{Band::LowPass, 8, 2, 0}, Design{Band::HighPass, 1, 50, 0},
                      Design{Band::HighPass, 4, 200, 0}, Design{Band::HighPass, 7, 450, 0},
                      Design{Band::BandPass, 1, 50, 150}, Design{Band::BandPass, 4, 40, 60},
                      Design{Band::BandPass, 3, 5, 400}, Design{Band::BandPass, 8, 100, 110}));

TEST(ButterworthDesignTest, PassesWholeWhereItShould)
{
    EXPECT_NEAR(std::abs(Butterworth::design(Band::LowPass, 4, kFs, 100).response(0, kFs)), 1, 1e-12);
    EXPECT_NEAR(std::abs(Butterworth::design(Band::HighPass, 3, kFs, 100).response(0, kFs)), 0, 1e-12);
    EXPECT_NEAR(std::real(Butterworth::design(Band::HighPass, 3, kFs, 100).response(kFs / 2, kFs)), 1, 1e-12);
    const double centre = kFs / M_PI * std::atan(std::sqrt(std::tan(M_PI * 0.04) * std::tan(M_PI * 0.06)));
    EXPECT_NEAR(std::real(Butterworth::design(Band::BandPass, 5, kFs, 40, 60).response(centre, kFs)), 1, 1e-12);
}

TEST(ButterworthDesignTest, OrdersAndCutoffsOutsideTheRangeAreRefused)
{
    EXPECT_THROW(Butterworth::design(Band::LowPass, 0, kFs, 100), std::invalid_argument);
    EXPECT_THROW(Butterworth::design(Band::LowPass, 9, kFs, 100), std::invalid_argument);
    EXPECT_THROW(Butterworth::design(Band::LowPass, 2, kFs, 500), std::invalid_argument);
    EXPECT_THROW(Butterworth::design(Band::HighPass, 2, kFs, 0), std::invalid_argument);
    EXPECT_THROW(Butterworth::design(Band::LowPass, 2, 0, 100), std::invalid_argument);
    EXPECT_THROW(Butterworth::design(Band::LowPass, 2, NAN, 100), std::invalid_argument);
    EXPECT_THROW(Butterworth::design(Band::BandPass, 2, kFs, 60, 40), std::invalid_argument);
    EXPECT_THROW(Butterworth::design(Band::BandPass, 2, kFs, 60, 600), std::invalid_argument);
}

} // namespace
