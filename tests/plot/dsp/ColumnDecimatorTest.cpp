#include "ColumnDecimator.h"
#include "ColumnExtremes.h"
#include "PixelSet.h"

#include <cmath>

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

// A line that steps back into a column it left starts a new run there.
TEST(ColumnDecimatorTest, SteppingBackStartsANewRun)
{
    ColumnDecimator d;
    const double px[] = {1.0, 1.2, 1.4, 2.0, 1.5, 1.6, 1.7, 1.8};
    const double py[] = {0, 5, 1, 2, 9, 3, 4, 6};
    for (std::size_t i = 0; i < 8; ++i)
        d.add(i, px[i], py[i]);
    EXPECT_EQ(d.finish(), (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 7}));
}

// Outside the view every run on one side is one column, so only where the line leaves and
// enters stays, with its lowest and highest point; NaN pixels are never merged.
TEST(ColumnDecimatorTest, PointsBesideTheViewShareAColumn)
{
    ColumnDecimator d(10.0, 20.0);
    const double px[] = {-50, -3, 2, 9.5, 15, 30, 25, 100, 15, NAN, NAN};
    const double py[] = {4, 1, 8, 3, 0, 2, 7, 5, 6, 0, 0};
    for (std::size_t i = 0; i < 11; ++i)
        d.add(i, px[i], py[i]);
    EXPECT_EQ(d.finish(), (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const double far[] = {-50, -40, -30, -20, -10, 12};
    const double ys[] = {4, 1, 8, 3, 5, 6};
    for (std::size_t i = 0; i < 6; ++i)
        d.add(i, far[i], ys[i]);
    EXPECT_EQ(d.finish(), (std::vector<std::size_t>{0, 1, 2, 4, 5}));
}

// The last column of the view is a column like any other: its points are never merged with
// those beyond it, which form a run of their own.
TEST(ColumnDecimatorTest, TheLastColumnStaysApartFromThePointsBeyond)
{
    ColumnDecimator d(0.0, 9.0);
    const double px[] = {9.2, 9.3, 9.4, 9.5, 9.6, 9.7, 9.8, 12, 15, 20, 30};
    const double py[] = {5, 6, 1, 4, 9, 5, 3, 7, 0, 8, 2};
    for (std::size_t i = 0; i < 11; ++i)
        d.add(i, px[i], py[i]);
    EXPECT_EQ(d.finish(), (std::vector<std::size_t>{0, 2, 4, 6, 7, 8, 9, 10}));
}

// A gap in y ends the run of its column like a gap in x, and is kept so the line breaks there.
TEST(ColumnDecimatorTest, GapsEndRunsAndAreKept)
{
    ColumnDecimator d(0.0, 10.0);
    const double px[] = {1.0, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 12, 13, 14, 15};
    const double py[] = {0, 5, NAN, 9, 2, 1, 4, 0, NAN, 1, 2};
    for (std::size_t i = 0; i < 11; ++i)
        d.add(i, px[i], py[i]);
    EXPECT_EQ(d.finish(), (std::vector<std::size_t>{0, 1, 2, 3, 5, 6, 7, 8, 9, 10}));
}

TEST(ColumnExtremesTest, KeepsTheLowestAndHighestOfEachColumnInAnyOrder)
{
    ColumnExtremes columns(0, 3);
    const double px[] = {0.2, 2.5, 0.7, -1.0, 2.1, 0.5, 4.0, NAN, 3.0, 2.9, 0.1};
    const double py[] = {5, 1, 2, 9, 1, 8, 3, 1, 4, NAN, NAN};
    for (std::size_t i = 0; i < 11; ++i)
        columns.add(i, px[i], py[i]);
    EXPECT_EQ(columns.indices(), (std::vector<std::size_t>{2, 5, 1, 8}));
    ColumnExtremes gapFirst(0, 0);
    gapFirst.add(0, 0.5, NAN);
    gapFirst.add(1, 0.5, 3);
    gapFirst.add(2, 0.5, 7);
    EXPECT_EQ(gapFirst.indices(), (std::vector<std::size_t>{1, 2}));
}

TEST(PixelSetTest, EachPixelOnceAndNothingOutside)
{
    PixelSet pixels(-2, 10, 5, 3);
    EXPECT_TRUE(pixels.insert(-2, 10));
    EXPECT_FALSE(pixels.insert(-2, 10));
    EXPECT_TRUE(pixels.insert(2, 12));
    EXPECT_FALSE(pixels.insert(3, 12));
    EXPECT_FALSE(pixels.insert(0, 13));
    EXPECT_FALSE(pixels.insert(NAN, 11));
    EXPECT_FALSE(PixelSet(0, 0, 0, 0).insert(0, 0));
}

} // namespace
