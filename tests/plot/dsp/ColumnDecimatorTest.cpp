#include "ColumnDecimator.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnDecimatorTest, KeepsFirstLowestHighestAndLastOfEveryColumn)
{
    ColumnDecimator d;
    const double ys[] = {5, 9, 1, 7, 6, 3};
    for (std::size_t i = 0; i < 6; ++i)
        d.add(i, 10.2 + 0.1 * double(i), ys[i]);
    d.add(6, 11.0, 4);
    d.add(7, 11.5, 8);
    EXPECT_EQ(d.finish(), (std::vector<std::size_t>{0, 1, 2, 5, 6, 7}));
}

TEST(ColumnDecimatorTest, ColumnsOfOneOrTwoPointsKeepThemAll)
{
    ColumnDecimator d;
    d.add(0, 0.5, 1);
    d.add(1, 1.5, 2);
    d.add(2, 1.7, 2);
    d.add(3, 3.0, 0);
    EXPECT_EQ(d.finish(), (std::vector<std::size_t>{0, 1, 2, 3}));
    EXPECT_TRUE(d.finish().empty());
}

TEST(ColumnDecimatorTest, NegativePixelsFormTheirOwnColumns)
{
    ColumnDecimator d;
    d.add(0, -0.5, 1);
    d.add(1, -0.2, 3);
    d.add(2, 0.2, 2);
    EXPECT_EQ(d.finish(), (std::vector<std::size_t>{0, 1, 2}));
}

} // namespace
