#include "ColumnExtremes.h"

#include <algorithm>
#include <cmath>

ColumnExtremes::ColumnExtremes(int firstColumn, int lastColumn)
    : firstColumn(firstColumn)
    , columns(std::size_t(std::max(0, lastColumn - firstColumn + 1)))
{
}

void ColumnExtremes::add(std::size_t index, double px, double py)
{
    const double offset = std::floor(px) - firstColumn;
    // Also false for NaN.
    if (!(offset >= 0.0 && offset < double(columns.size())) || std::isnan(py))
        return;
    Column& c = columns[std::size_t(offset)];
    if (!c.used) {
        c = {index, index, py, py, true};
        return;
    }
    if (py < c.lowY) {
        c.low = index;
        c.lowY = py;
    }
    if (py > c.highY) {
        c.high = index;
        c.highY = py;
    }
}

std::vector<std::size_t> ColumnExtremes::indices() const
{
    std::vector<std::size_t> kept;
    for (const Column& c : columns) {
        if (!c.used)
            continue;
        kept.push_back(c.low);
        if (c.high != c.low)
            kept.push_back(c.high);
    }
    return kept;
}
