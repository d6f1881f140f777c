#include "FitData.h"
#include "FitError.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

TEST(FitDataTest, PointsThatAreNotFiniteAreSkippedAndCounted)
{
    const FitData data({0, 1, nan, 3, 4, 5}, {1, nan, 2, inf, 5, 6});
    EXPECT_EQ(data.x(), (std::vector<double>{0, 4, 5}));
    EXPECT_EQ(data.y(), (std::vector<double>{1, 5, 6}));
    EXPECT_EQ(data.skipped(), 3u);
    EXPECT_FALSE(data.weighted());
}

TEST(FitDataTest, WeightsThatAreNotPositiveAndFiniteSkipTheirPoint)
{
    const FitData data({0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, {1, 0, -2, inf, 0.5});
    EXPECT_EQ(data.x(), (std::vector<double>{0, 4}));
    EXPECT_EQ(data.weights(), (std::vector<double>{1, 0.5}));
    EXPECT_EQ(data.skipped(), 3u);
}

TEST(FitDataTest, TheVisibleRangeHoldsItsEdgesInEitherOrder)
{
    const std::vector<double> x{-1, 0, 0.5, 1, 1.5, nan};
    const std::vector<double> y{1, 2, 3, nan, 5, 6};
    for (const auto& range : {std::pair<double, double>{0, 1.5}, {1.5, 0}}) {
        const FitData data = FitData::inRange(x, y, range.first, range.second);
        EXPECT_EQ(data.x(), (std::vector<double>{0, 0.5, 1.5}));
        // The gap at x = 1 lies in the range and counts; the point at x = -1 lies outside.
        EXPECT_EQ(data.skipped(), 2u);
    }
    EXPECT_EQ(FitData::inRange(x, y, 2, 3).size(), 0u);
}

TEST(FitDataTest, SizesThatDifferAreAnError)
{
    EXPECT_THROW(FitData({1, 2}, {1}), FitError);
    EXPECT_THROW(FitData({1, 2}, {1, 2}, {1}), FitError);
    EXPECT_THROW(FitData({1, 2}, {1, 2}).requirePoints(3), FitError);
    EXPECT_NO_THROW(FitData({1, 2}, {1, 2}).requirePoints(2));
}

} // namespace
