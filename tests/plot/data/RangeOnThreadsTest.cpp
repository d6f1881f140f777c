#include "RangeOnThreads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Columns long enough to be split, with their limits, zeros of both signs, an infinity and gaps
// on either side of where pieces meet: of equal limits, the first is the one kept.
TEST(RangeOnThreadsTest, PiecesGiveWhatOneScanGives)
{
    const int piece = 1 << 20;
    QVector<double> x(2 * piece + 16, 1.0);
    QVector<double> y(2 * piece + 16, -0.0);
    x[0] = std::nan("");
    x[piece - 1] = std::numeric_limits<double>::infinity();
    x[piece] = -0.0;
    x[2 * piece + 5] = 0.0;
    y[5] = 0.0;
    y[piece - 1] = 7.0;
    y[piece] = -3.0;
    const QVector<double> gaps(16, std::nan(""));
    for (const std::vector<QVector<double>>& ys : {std::vector<QVector<double>>{y, x}, {gaps}, {}}) {
        DataRange scan;
        scan.addX(x.constData(), std::size_t(x.size()));
        for (const QVector<double>& column : ys)
            scan.addY(column.constData(), std::size_t(column.size()));
        const DataRange pieces = rangeOnThreads(x, ys, 3);
        const double expected[] = {scan.xMin, scan.xMax, scan.yMin, scan.yMax};
        const double found[] = {pieces.xMin, pieces.xMax, pieces.yMin, pieces.yMax};
        EXPECT_EQ(std::memcmp(found, expected, sizeof expected), 0);
        EXPECT_EQ(pieces.yFound, scan.yFound);
    }
}

} // namespace
