#include "ColumnSizing.h"

#include "LineSource.h"
#include "PointLimit.h"

#include <algorithm>
#include <new>

void resizeExactly(QVector<double>& column, int n)
{
    if (n > column.capacity())
        column.reserve(n);
    column.resize(n);
}

// Memory the columns reserve and do not fill is never touched, so a guess a little high costs
// nothing, and one too low a regrowing.
std::size_t rowsLike(const LineSource& lines, std::size_t rowLength)
{
    const std::size_t guess = lines.bytesLeft() / (rowLength + 1);
    return std::min<std::size_t>(guess + guess / 8 + 16, kMaxCurvePoints);
}

void reserveGuess(QVector<double>& column, std::size_t rows)
{
    try {
        column.reserve(int(rows));
    } catch (const std::bad_alloc&) {
        column.squeeze();
    }
}
