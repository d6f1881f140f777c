#include "CumulativeIntegral.h"
#include "FilterTestData.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Trapezoids are exact for a line: ∫(3 − 2t) dt from x0.
TEST(CumulativeIntegralTest, ExactForALineOnUnevenSteps)
{
    const std::vector<double> x = FilterTestData::unevenX(50, 1, 0.3);
    std::vector<double> y;
    for (double t : x)
        y.push_back(3 - 2 * t);
    const std::vector<double> area = cumulativeIntegral(x.data(), y.data(), x.size());
    const auto primitive = [](double t) { return 3 * t - t * t; };
    for (std::size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR(area[i], primitive(x[i]) - primitive(x[0]), 1e-11) << i;
}

struct Case {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> expected;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.x.size() << " points"; }

class CumulativeIntegralEdgeTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(CumulativeIntegralEdgeTest, ShortCurvesAndGaps)
{
    const Case c = GetParam();
    const std::vector<double> area = cumulativeIntegral(c.x.data(), c.y.data(), c.x.size());
    ASSERT_EQ(area.size(), c.expected.size());
    for (std::size_t i = 0; i < area.size(); ++i)
        EXPECT_TRUE(sameOrBothNaN(area[i], c.expected[i], 1e-12)) << i << ": " << area[i];
}

INSTANTIATE_TEST_SUITE_P(Cases, CumulativeIntegralEdgeTest,
                         ::testing::Values(Case{{}, {}, {}}, Case{{2}, {5}, {0}}, Case{{0, 2}, {1, 3}, {0, 4}},
                                           // The gap adds nothing; the integral goes on after it.
                                           Case{{kNaN, 0, 1, 2, 3, 4}, {1, 2, 2, kNaN, 1, 1}, {kNaN, 0, 2, kNaN, 2, 3}},
                                           // x stepping back counts negatively.
                                           Case{{0, 1, 0}, {1, 1, 1}, {0, 1, 0}}));

} // namespace
