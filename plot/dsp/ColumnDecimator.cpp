#include "ColumnDecimator.h"

#include <algorithm>
#include <cmath>

void ColumnDecimator::add(std::size_t index, double px, double py)
{
    const double c = std::floor(px);
    if (open && c == column) {
        if (py < lowest.py)
            lowest = {index, py};
        if (py > highest.py)
            highest = {index, py};
        last = {index, py};
        return;
    }
    if (open)
        flush();
    open = true;
    column = c;
    first = lowest = highest = last = {index, py};
}

void ColumnDecimator::flush()
{
    std::size_t column[] = {first.index, lowest.index, highest.index, last.index};
    std::sort(std::begin(column), std::end(column));
    for (std::size_t index : column) {
        if (kept.empty() || kept.back() != index)
            kept.push_back(index);
    }
}

std::vector<std::size_t> ColumnDecimator::finish()
{
    if (open)
        flush();
    open = false;
    std::vector<std::size_t> result;
    result.swap(kept);
    return result;
}
