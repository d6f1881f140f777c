#include "FilterTestData.h"
#include "LinearInterpolation.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Case {
    const char* name;
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> at;
    std::vector<double> expected;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class LinearInterpolationTest : public ::testing::TestWithParam<Case>
{
};

// Ascending and shuffled positions give the same values.
TEST_P(LinearInterpolationTest, ValuesBetweenPointsAndNoneBeyond)
{
    const Case c = GetParam();
    const LinearInterpolation curve(c.x.data(), c.y.data(), c.x.size());
    std::vector<double> values(c.at.size());
    curve.sample(c.at.data(), c.at.size(), values.data());
    for (std::size_t i = 0; i < c.at.size(); ++i) {
        EXPECT_TRUE(sameOrBothNaN(values[i], c.expected[i], 1e-12)) << c.name << " at " << c.at[i] << ": " << values[i];
        EXPECT_TRUE(sameOrBothNaN(curve.at(c.at[i]), c.expected[i], 1e-12)) << c.name << " at " << c.at[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinearInterpolationTest,
    ::testing::Values(Case{"between", {0, 1, 3}, {0, 10, 30}, {0, 0.5, 1, 2.5, 3}, {0, 5, 10, 25, 30}},
                      Case{"outside", {0, 1}, {0, 10}, {-0.001, 1.001, kNaN}, {kNaN, kNaN, kNaN}},
                      Case{"backwards", {0, 1, 2}, {0, 10, 20}, {2, 0.5, 1.5, 0}, {20, 5, 15, 0}},
                      Case{"empty", {}, {}, {0}, {kNaN}}, Case{"one point", {2}, {7}, {2, 2.1}, {7, kNaN}},
                      // A step: the first point at its x gives the value there.
                      Case{"repeated x", {0, 1, 1, 2}, {0, 10, 20, 30}, {0.5, 1, 1.5}, {5, 10, 25}},
                      Case{"NaN y", {0, 1, 2, 3}, {0, kNaN, 20, 30}, {0.5, 1.5, 2.5}, {kNaN, kNaN, 25}},
                      // No value across a point without x; leading ones are dropped.
                      Case{"NaN x", {kNaN, 0, 1, kNaN, 2, 3}, {9, 0, 10, 99, 20, 30}, {0.5, 1, 1.5, 2.5},
                           {5, 10, kNaN, 25}}));

TEST(LinearInterpolationRefusalTest, XThatDecreasesIsRefused)
{
    const double x[] = {0, 2, 1};
    EXPECT_THROW(LinearInterpolation(x, x, 3), std::invalid_argument);
}

} // namespace
