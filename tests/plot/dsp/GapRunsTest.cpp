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

// Each run is handed over alone, and the gaps come out as NaN whatever the filter writes.
TEST(GapRunsTest, TheFilterSeesEachRunAloneAndGapsStayNaN)
{
    const double x[] = {0, 1, 2, 3, 4};
    const double y[] = {5, 6, kNaN, 8, 9};
    std::vector<std::size_t> sizes;
    const std::vector<double> out = filterEachRun(x, y, 5, [&](const double* rx, const double*, std::size_t n, double* o) {
        sizes.push_back(n);
        for (std::size_t i = 0; i < n; ++i)
            o[i] = rx[0];
    });
    EXPECT_EQ(sizes, (std::vector<std::size_t>{2, 2}));
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0);
    EXPECT_TRUE(std::isnan(out[2]));
    EXPECT_EQ(out[3], 3);
    EXPECT_EQ(out[4], 3);
}

} // namespace
