#include "GapRuns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(GapRunsTest, AGapIsAnyValueThatIsNotFiniteInXOrY)
{
    const double x[] = {kNaN, 1, 2, 3, 4, 5, 6, 7, 8};
    const double y[] = {0, 1, kNaN, 3, 4, kInf, 6, 7, kNaN};
    const std::vector<GapRun> runs = gapFreeRuns(x, y, 9);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].begin, 1u);
    EXPECT_EQ(runs[0].end, 2u);
    EXPECT_EQ(runs[1].begin, 3u);
    EXPECT_EQ(runs[1].size(), 2u);
    EXPECT_EQ(runs[2].begin, 6u);
    EXPECT_EQ(runs[2].end, 8u);
    EXPECT_TRUE(gapFreeRuns(x, y, 0).empty());
}

} // namespace
