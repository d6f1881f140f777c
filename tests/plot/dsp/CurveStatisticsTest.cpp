#include "CurveStatistics.h"
#include "DataRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(CurveStatisticsTest, OneToFour)
{
    const double y[] = {1, 2, 3, 4};
    const CurveStatistics s = CurveStatistics::of(y, 4);
    EXPECT_EQ(s.samples, 4u);
    EXPECT_DOUBLE_EQ(s.minimum, 1.0);
    EXPECT_DOUBLE_EQ(s.maximum, 4.0);
    EXPECT_DOUBLE_EQ(s.amount, 10.0);
    EXPECT_DOUBLE_EQ(s.mean, 2.5);
    EXPECT_NEAR(s.sigma, 1.11803, 1e-5);
    EXPECT_DOUBLE_EQ(s.energy, 30.0);
    EXPECT_DOUBLE_EQ(s.power, 7.5);
    EXPECT_NEAR(s.norm, 5.47723, 1e-5);
    EXPECT_NEAR(s.rms, 2.73861, 1e-5);
}

TEST(CurveStatisticsTest, ConstantCurve)
{
    const std::vector<double> y(5, 2.0);
    const CurveStatistics s = CurveStatistics::of(y.data(), y.size());
    EXPECT_DOUBLE_EQ(s.sigma, 0.0);
    EXPECT_DOUBLE_EQ(s.mean, 2.0);
    EXPECT_DOUBLE_EQ(s.rms, 2.0);
    EXPECT_DOUBLE_EQ(s.energy, 20.0);
    EXPECT_DOUBLE_EQ(s.power, 4.0);
    EXPECT_NEAR(s.norm, 4.47214, 1e-5);
}

TEST(CurveStatisticsTest, LongRunOfLargeEqualValuesStaysExact)
{
    const std::vector<double> y(1000000, 1e8);
    const CurveStatistics s = CurveStatistics::of(y.data(), y.size());
    EXPECT_EQ(s.mean, 1e8);
    EXPECT_EQ(s.sigma, 0.0);
    EXPECT_EQ(s.amount, 1e14);
}

TEST(CurveStatisticsTest, CancellingValuesKeepTheirSmallSum)
{
    const double y[] = {1e16, 1.0, -1e16, 1.0};
    EXPECT_DOUBLE_EQ(CurveStatistics::of(y, 4).amount, 2.0);
}

TEST(CurveStatisticsTest, EmptyCurveIsAllZero)
{
    const CurveStatistics s = CurveStatistics::of(nullptr, 0);
    EXPECT_EQ(s.samples, 0u);
    EXPECT_EQ(s.minimum, 0.0);
    EXPECT_EQ(s.rms, 0.0);
    EXPECT_FALSE(std::isnan(s.mean));
}

TEST(CurveStatisticsTest, SingleValue)
{
    const double y[] = {-3.5};
    const CurveStatistics s = CurveStatistics::of(y, 1);
    EXPECT_EQ(s.minimum, -3.5);
    EXPECT_EQ(s.maximum, -3.5);
    EXPECT_EQ(s.sigma, 0.0);
    EXPECT_EQ(s.rms, 3.5);
}

// Gaps anywhere, the first and the last place included, give the figures of the other values.
TEST(CurveStatisticsTest, GapsAreCountedAndLeftOut)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::vector<double>> gappy = {
        {nan, 1, 2, 3, 4}, {1, 2, nan, nan, 3, 4}, {1, 2, 3, 4, nan}, {nan, 1, nan, 2, nan, 3, nan, 4, nan}};
    const double y[] = {1, 2, 3, 4};
    const CurveStatistics whole = CurveStatistics::of(y, 4);
    for (const std::vector<double>& values : gappy) {
        const CurveStatistics s = CurveStatistics::of(values.data(), values.size());
        EXPECT_EQ(s.samples, 4u);
        EXPECT_EQ(s.gaps, values.size() - 4);
        for (double CurveStatistics::*figure : {&CurveStatistics::minimum, &CurveStatistics::maximum,
                                                &CurveStatistics::amount, &CurveStatistics::mean,
                                                &CurveStatistics::sigma, &CurveStatistics::energy,
                                                &CurveStatistics::power, &CurveStatistics::norm, &CurveStatistics::rms})
            EXPECT_EQ(s.*figure, whole.*figure) << values.size();
    }
    EXPECT_EQ(whole.gaps, 0u);
}

TEST(CurveStatisticsTest, OnlyGapsGiveZeroFigures)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double y[] = {nan, nan, nan};
    const CurveStatistics s = CurveStatistics::of(y, 3);
    EXPECT_EQ(s.samples, 0u);
    EXPECT_EQ(s.gaps, 3u);
    EXPECT_EQ(s.minimum, 0.0);
    EXPECT_EQ(s.maximum, 0.0);
    EXPECT_EQ(s.mean, 0.0);
    EXPECT_EQ(s.sigma, 0.0);
}

// An infinity is a value: it counts as a sample and sets a limit.
TEST(CurveStatisticsTest, InfinitiesAreNoGaps)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double y[] = {inf, 1, std::nan("")};
    const CurveStatistics s = CurveStatistics::of(y, 3);
    EXPECT_EQ(s.samples, 2u);
    EXPECT_EQ(s.gaps, 1u);
    EXPECT_EQ(s.minimum, 1.0);
    EXPECT_EQ(s.maximum, inf);
    const double below[] = {-inf};
    EXPECT_EQ(CurveStatistics::of(below, 1).minimum, -inf);
    EXPECT_EQ(CurveStatistics::of(below, 1).maximum, -inf);
}

TEST(DataRangeTest, OnlyFiniteValuesBecomeLimits)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double x[] = {nan, 1, inf, -2, 5};
    const double y[] = {nan, 3, -inf, -1, 0};
    const DataRange r = DataRange::of(x, y, 5);
    EXPECT_TRUE(r.found());
    EXPECT_EQ(r.xMin, -2);
    EXPECT_EQ(r.xMax, 5);
    EXPECT_EQ(r.yMin, -1);
    EXPECT_EQ(r.yMax, 3);

    const double none[] = {nan, inf};
    const DataRange empty = DataRange::of(x, none, 2);
    EXPECT_TRUE(empty.xFound);
    EXPECT_FALSE(empty.yFound);
}

} // namespace
