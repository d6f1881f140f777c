#include "DataRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(DataRangeTest, OnlyFiniteValuesCount)
{
    const double x[] = {nan, 3, -1, inf};
    const double y[] = {-inf, nan, 2, 5};
    const DataRange r = DataRange::of(x, y, 4);
    EXPECT_TRUE(r.found());
    EXPECT_EQ(r.xMin, -1);
    EXPECT_EQ(r.xMax, 3);
    EXPECT_EQ(r.yMin, 2);
    EXPECT_EQ(r.yMax, 5);

    const double none[] = {nan, inf};
    const DataRange empty = DataRange::of(none, none, 2);
    EXPECT_FALSE(empty.xFound);
    EXPECT_FALSE(empty.yFound);
    EXPECT_EQ(empty.xMin, 0);
    EXPECT_EQ(empty.yMax, 0);
}

// The array scan keeps its limits apart from the first value found: an infinity or NaN after
// it must not become a limit either.
TEST(DataRangeTest, ArraysSkipInfinitiesAfterTheFirstValue)
{
    const struct {
        double values[3];
        double min;
        double max;
    } rows[] = {
        {{1, -inf, 2}, 1, 2},
        {{1, inf, 0}, 0, 1},
        {{1, nan, -2}, -2, 1},
        {{-inf, 3, inf}, 3, 3},
    };
    for (const auto& row : rows) {
        DataRange r;
        r.addY(row.values, 3);
        r.addX(row.values, 3);
        EXPECT_EQ(r.yMin, row.min) << row.values[1];
        EXPECT_EQ(r.yMax, row.max) << row.values[1];
        EXPECT_EQ(r.xMin, row.min) << row.values[1];
        EXPECT_EQ(r.xMax, row.max) << row.values[1];
    }
}

TEST(DataRangeTest, UniteTakesOnlyWhatTheOtherFound)
{
    DataRange all;
    DataRange onlyY;
    onlyY.addY(-4);
    onlyY.addY(7);
    all.unite(onlyY);
    EXPECT_FALSE(all.xFound);
    EXPECT_EQ(all.yMin, -4);
    EXPECT_EQ(all.yMax, 7);

    const double x[] = {10, 20};
    const double y[] = {1, 9};
    all.unite(DataRange::of(x, y, 2));
    EXPECT_TRUE(all.found());
    EXPECT_EQ(all.xMin, 10);
    EXPECT_EQ(all.xMax, 20);
    EXPECT_EQ(all.yMin, -4);
    EXPECT_EQ(all.yMax, 9);
}

} // namespace
