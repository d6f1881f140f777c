#include "Butterworth.h"
#include "FilterTestData.h"
#include "ZeroPhaseFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Band = Butterworth::Band;

const double kFs = 1000;

FilterTestData sine(std::size_t n, double hz, double amplitude = 1)
{
    FilterTestData d;
    for (std::size_t i = 0; i < n; ++i) {
        d.x.push_back(double(i) / kFs);
        d.y.push_back(amplitude * std::sin(2 * M_PI * hz * double(i) / kFs));
    }
    return d;
}

// Forward and backward, the phase cancels: a tone in the pass band comes out where it went in,
// scaled by |H|² alone.
TEST(ZeroPhaseFilterTest, AToneInThePassBandHasNoLag)
{
    const FilterTestData d = sine(2000, 10);
    const SosCascade design = Butterworth::design(Band::LowPass, 4, kFs, 50);
    const double power = std::norm(design.response(10, kFs));
    const std::vector<double> out = ZeroPhaseFilter(design).apply(d.x.data(), d.y.data(), d.y.size());
    for (std::size_t i = 200; i < 1800; ++i)
        EXPECT_NEAR(out[i], power * d.y[i], 1e-6) << i;
}

TEST(ZeroPhaseFilterTest, AToneInTheStopBandIsTakenAway)
{
    const FilterTestData d = sine(2000, 300);
    const std::vector<double> out =
        ZeroPhaseFilter(Butterworth::design(Band::LowPass, 6, kFs, 50)).apply(d.x.data(), d.y.data(), d.y.size());
    // The ends' transients die away within a few periods of the cutoff.
    for (std::size_t i = 200; i < 1800; ++i)
        EXPECT_LT(std::abs(out[i]), 1e-6) << i;
}

// The ends start in the state of their own value: a constant passes a low-pass unchanged and
// a high-pass takes it away, up to the last point.
TEST(ZeroPhaseFilterTest, TheEndsDoNotRing)
{
    const std::vector<double> x(300, 0.0);
    const std::vector<double> y(300, 7.5);
    const std::vector<double> low =
        ZeroPhaseFilter(Butterworth::design(Band::LowPass, 8, kFs, 20)).apply(x.data(), y.data(), 300);
    const std::vector<double> high =
        ZeroPhaseFilter(Butterworth::design(Band::HighPass, 3, kFs, 20)).apply(x.data(), y.data(), 300);
    for (std::size_t i = 0; i < 300; ++i) {
        EXPECT_NEAR(low[i], 7.5, 1e-9) << i;
        EXPECT_NEAR(high[i], 0, 1e-9) << i;
    }
}

// A run is filtered as if the others were not there; runs of one and two points as well.
TEST(ZeroPhaseFilterTest, EachRunAloneGapsStayAndShortRunsWork)
{
    const ZeroPhaseFilter filter(Butterworth::design(Band::LowPass, 2, kFs, 100));
    FilterTestData d = FilterTestData::random(120);
    const std::vector<double> whole = filter.apply(d.x.data() + 61, d.y.data() + 61, 59);
    d.y[60] = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> split = filter.apply(d.x.data(), d.y.data(), 120);
    EXPECT_TRUE(std::isnan(split[60]));
    for (std::size_t i = 0; i < 59; ++i)
        EXPECT_EQ(split[61 + i], whole[i]) << i;
    const double one[] = {4};
    EXPECT_NEAR(filter.apply(one, one, 1)[0], 4, 1e-12);
    const double two[] = {1, 1};
    const std::vector<double> pair = filter.apply(two, two, 2);
    EXPECT_NEAR(pair[0], 1, 1e-12);
    EXPECT_NEAR(pair[1], 1, 1e-12);
    EXPECT_TRUE(filter.apply(one, one, 0).empty());
}

} // namespace
