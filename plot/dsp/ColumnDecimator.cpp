#include "ColumnDecimator.h"

#include <algorithm>

ColumnDecimator::ColumnDecimator(double firstColumn, double lastColumn)
    : lowest(std::floor(firstColumn))
    , beyond(std::floor(lastColumn) + 1.0)
{
}

void ColumnDecimator::start(std::size_t index, double c, double py)
{
    if (open)
        flush();
    open = true;
    column = c;
    first = low = high = last = {index, py};
}

void ColumnDecimator::flush()
{
    std::size_t run[] = {first.index, low.index, high.index, last.index};
    std::sort(std::begin(run), std::end(run));
    for (std::size_t index : run) {
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
