#include "Levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double minimumOf(const std::vector<double>& y)
{
    return *std::min_element(y.begin(), y.end());
}

// What the plot does: lift by the minimum, then take decibels against the new minimum.
std::vector<double> decibelsOf(std::vector<double> y)
{
    shiftByMinimum(y.data(), y.size(), minimumOf(y));
    toDecibels(y.data(), y.size(), minimumOf(y));
    return y;
}

TEST(LevelsTest, ShiftLiftsByTheMagnitudeOfTheMinimum)
{
    std::vector<double> negative = {-3, 0, 5};
    shiftByMinimum(negative.data(), negative.size(), -3);
    EXPECT_EQ(negative, (std::vector<double>{0, 3, 8}));

    std::vector<double> positive = {2, 3, 5};
    shiftByMinimum(positive.data(), positive.size(), 2);
    EXPECT_EQ(positive, (std::vector<double>{4, 5, 7}));
}

TEST(LevelsTest, DecibelsOfALiftedCurve)
{
    std::vector<double> y = {-1, 0, 9};
    shiftByMinimum(y.data(), y.size(), -1);
    EXPECT_EQ(y, (std::vector<double>{0, 1, 10}));
    toDecibels(y.data(), y.size(), 0);
    EXPECT_EQ(y[0], 0.0);
    EXPECT_NEAR(y[1], 6.0206, 1e-4);
    EXPECT_NEAR(y[2], 20.8279, 1e-4);

    // A positive minimum leaves no zero to protect: plain 20·log10(y).
    std::vector<double> lifted = {2, 20, 200};
    toDecibels(lifted.data(), lifted.size(), 2);
    EXPECT_NEAR(lifted[0], 6.0206, 1e-4);
    EXPECT_NEAR(lifted[1], 26.0206, 1e-4);
    EXPECT_NEAR(lifted[2], 46.0206, 1e-4);
}

TEST(LevelsTest, DecibelsOfFiniteCurvesAreNeverNanOrMinusInfinity)
{
    const std::vector<std::vector<double>> curves = {
        {-1e300, 0, 1e300}, {-5, -5, -5}, {0, 0}, {-2.5, 1e-300, 7}, {1e-300, 1, 1e300},
        {4.9e-324, 1},      {-0.0, 3},
    };
    for (const std::vector<double>& curve : curves) {
        for (double v : decibelsOf(curve)) {
            EXPECT_FALSE(std::isnan(v)) << curve.front();
            EXPECT_NE(v, -INFINITY) << curve.front();
        }
    }
}

// The minimum the plot passes leaves the gaps out; the gaps stay where they are.
TEST(LevelsTest, GapsStayGaps)
{
    std::vector<double> y = {NAN, -1, 0, NAN, 9, NAN};
    shiftByMinimum(y.data(), y.size(), -1);
    toDecibels(y.data(), y.size(), 0);
    for (std::size_t i : {0, 3, 5})
        EXPECT_TRUE(std::isnan(y[i])) << i;
    EXPECT_EQ(y[1], 0.0);
    EXPECT_NEAR(y[2], 6.0206, 1e-4);
    EXPECT_NEAR(y[4], 20.8279, 1e-4);
}

TEST(LevelsTest, EmptyCurvesAreFine)
{
    shiftByMinimum(nullptr, 0, -1);
    toDecibels(nullptr, 0, 0);
}

} // namespace
