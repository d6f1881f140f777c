// The moving average and median against their definitions, computed by brute force over the
// same shrinking windows.
#include "FilterTestData.h"
#include "MovingAverage.h"
#include "MovingMedian.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<double> window(const std::vector<double>& y, std::size_t i, std::size_t w)
{
    const std::size_t lo = i >= (w - 1) / 2 ? i - (w - 1) / 2 : 0;
    const std::size_t hi = std::min(y.size(), i + w / 2 + 1);
    return std::vector<double>(y.begin() + std::ptrdiff_t(lo), y.begin() + std::ptrdiff_t(hi));
}

double mean(std::vector<double> v)
{
    double total = 0;
    for (double value : v)
        total += value;
    return total / double(v.size());
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Case {
    std::size_t points;
    std::size_t window;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.points << " points, window " << c.window; }

class MovingWindowTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(MovingWindowTest, AverageAndMedianMatchBruteForce)
{
    const Case c = GetParam();
    FilterTestData d = FilterTestData::random(c.points);
    // Repeated values test the median's halves where equal values straddle them.
    for (std::size_t i = 0; i < d.y.size(); i += 3)
        d.y[i] = 1.0;
    const std::vector<double> average = movingAverage(d.x.data(), d.y.data(), c.points, c.window);
    const std::vector<double> middle = movingMedian(d.x.data(), d.y.data(), c.points, c.window);
    ASSERT_EQ(average.size(), c.points);
    ASSERT_EQ(middle.size(), c.points);
    for (std::size_t i = 0; i < c.points; ++i) {
        EXPECT_NEAR(average[i], mean(window(d.y, i, c.window)), 1e-12) << i;
        EXPECT_EQ(middle[i], median(window(d.y, i, c.window))) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, MovingWindowTest,
                         ::testing::Values(Case{0, 3}, Case{1, 3}, Case{2, 3}, Case{2, 1}, Case{7, 1}, Case{7, 2},
                                           Case{7, 3}, Case{7, 20}, Case{100, 4}, Case{100, 5}, Case{10000, 51}));

// A long run keeps its running sum from drifting: the last windows are as exact as the first.
TEST(MovingAverageTest, ALongRunStaysExact)
{
    const FilterTestData d = FilterTestData::random(300000);
    const std::vector<double> average = movingAverage(d.x.data(), d.y.data(), d.y.size(), 101);
    for (std::size_t i = d.y.size() - 200; i < d.y.size(); ++i)
        EXPECT_NEAR(average[i], mean(window(d.y, i, 101)), 1e-13) << i;
}

TEST(MovingAverageTest, EachRunIsFilteredAloneAndGapsStay)
{
    const std::vector<double> x = {0, 1, 2, 3, 4, 5, 6};
    const std::vector<double> y = {1, 2, 3, kNaN, 10, 20, 30};
    const std::vector<double> average = movingAverage(x.data(), y.data(), 7, 3);
    const std::vector<double> middle = movingMedian(x.data(), y.data(), 7, 3);
    const std::vector<double> expected = {1.5, 2, 2.5, kNaN, 15, 20, 25};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_TRUE(sameOrBothNaN(average[i], expected[i], 1e-15)) << i;
        EXPECT_TRUE(sameOrBothNaN(middle[i], expected[i], 0)) << i;
    }
}

TEST(MovingAverageTest, AWindowOfNothingIsRefused)
{
    const double v[] = {1, 2};
    EXPECT_THROW(movingAverage(v, v, 2, 0), std::invalid_argument);
    EXPECT_THROW(movingMedian(v, v, 2, 0), std::invalid_argument);
}

} // namespace
