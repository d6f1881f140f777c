#include "Derivative.h"
#include "FilterTestData.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The three-point formula on uneven steps is exact for a parabola inside the run; the ends
// take the one-sided slope, exact for a line.
TEST(DerivativeTest, ExactForAParabolaOnUnevenSteps)
{
    const std::vector<double> x = FilterTestData::unevenX(40, -3, 0.2);
    std::vector<double> y;
    for (double t : x)
        y.push_back(2 * t * t - 3 * t + 1);
    const std::vector<double> slope = derivative(x.data(), y.data(), x.size());
    for (std::size_t i = 1; i + 1 < x.size(); ++i)
        EXPECT_NEAR(slope[i], 4 * x[i] - 3, 1e-10) << i;
    EXPECT_NEAR(slope[0], 2 * (x[0] + x[1]) - 3, 1e-10);
}

struct Case {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> expected;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.x.size() << " points"; }

class DerivativeEdgeTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(DerivativeEdgeTest, ShortRunsGapsAndRepeatedX)
{
    const Case c = GetParam();
    const std::vector<double> slope = derivative(c.x.data(), c.y.data(), c.x.size());
    ASSERT_EQ(slope.size(), c.expected.size());
    for (std::size_t i = 0; i < slope.size(); ++i)
        EXPECT_TRUE(sameOrBothNaN(slope[i], c.expected[i], 1e-12)) << i << ": " << slope[i];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DerivativeEdgeTest,
    ::testing::Values(Case{{}, {}, {}}, Case{{1}, {5}, {kNaN}}, Case{{1, 3}, {5, 9}, {2, 2}},
                      // Each run by itself: a run of one point between gaps has no slope.
                      Case{{0, 1, 2, 3, 4, 5}, {0, 1, kNaN, 7, kNaN, 1}, {1, 1, kNaN, kNaN, kNaN, kNaN}},
                      Case{{0, 1, 1, 2}, {0, 1, 2, 3}, {1, kNaN, kNaN, 1}}));

} // namespace
