#include "Detrend.h"
#include "FilterTestData.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(DetrendTest, ALineOnUnevenXLeavesNothingAndTheMeanLeavesTheSlope)
{
    const std::vector<double> x = FilterTestData::unevenX(25, 1e6, 1);
    std::vector<double> y;
    for (double t : x)
        y.push_back(3 + 2 * (t - 1e6));
    for (double rest : detrend(x.data(), y.data(), x.size(), Trend::Linear))
        EXPECT_NEAR(rest, 0, 1e-9);
    const std::vector<double> centred = detrend(x.data(), y.data(), x.size(), Trend::Mean);
    double mean = 0;
    for (double v : y)
        mean += v / double(y.size());
    for (std::size_t i = 0; i < y.size(); ++i)
        EXPECT_NEAR(centred[i], y[i] - mean, 1e-9);
}

// The trend is the whole curve's: the points after a gap follow the same line.
TEST(DetrendTest, TheTrendSpansGaps)
{
    const double x[] = {0, 1, 2, 3, 4};
    const double y[] = {1, 3, kNaN, 7, 9};
    const std::vector<double> rest = detrend(x, y, 5, Trend::Linear);
    EXPECT_TRUE(std::isnan(rest[2]));
    for (std::size_t i : {0u, 1u, 3u, 4u})
        EXPECT_NEAR(rest[i], 0, 1e-12) << i;
}

TEST(DetrendTest, ShortCurvesAndOneX)
{
    EXPECT_TRUE(detrend(nullptr, nullptr, 0, Trend::Linear).empty());
    const double one[] = {4};
    EXPECT_EQ(detrend(one, one, 1, Trend::Linear), std::vector<double>{0});
    const double same[] = {2, 2, 2};
    const double y[] = {1, 2, 6};
    EXPECT_EQ(detrend(same, y, 3, Trend::Linear), (std::vector<double>{-2, -1, 3}));
    const double two[] = {0, 1};
    EXPECT_EQ(detrend(two, y, 2, Trend::Linear), (std::vector<double>{0, 0}));
}

} // namespace
