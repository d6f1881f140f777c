#include "ColumnWalk.h"

#include "MinMaxPyramid.h"

#include <algorithm>
#include <cmath>
#include <utility>

ColumnWalk::ColumnWalk(const MinMaxPyramid& pyramid, std::function<double(std::size_t)> column,
                       std::function<double(double)> pixelY)
    : pyramid(pyramid)
    , column(std::move(column))
    , pixelY(std::move(pixelY))
{
}

void ColumnWalk::walk(std::size_t from, std::size_t to, const std::function<void(std::size_t)>& feed) const
{
    const auto block = [&](int level, std::size_t index, std::size_t first, std::size_t last, double low,
                           double high) { return feedBlock(level, index, first, last, low, high, feed); };
    std::size_t first = from;
    while (first <= to) {
        const std::size_t last = lastInColumn(first, to);
        feed(first);
        if (last > first + 1)
            pyramid.visit(first + 1, last - 1, block, feed);
        if (last > first)
            feed(last);
        first = last + 1;
    }
}

// Columns follow the samples in order, so the run of a column is found by doubling steps and
// then halving them.
std::size_t ColumnWalk::lastInColumn(std::size_t first, std::size_t to) const
{
    const double c = column(first);
    if (std::isnan(c))
        return first;
    std::size_t inside = first;
    std::size_t step = 1;
    while (step <= to - inside && column(inside + step) == c) {
        inside += step;
        step *= 2;
    }
    std::size_t outside = std::min(inside + step, to + 1);
    while (outside - inside > 1) {
        const std::size_t middle = inside + (outside - inside) / 2;
        if (column(middle) == c)
            inside = middle;
        else
            outside = middle;
    }
    return inside;
}

// A monotonic pixel keeps every y of a block between the pixels of its limits, so the block's
// lowest and highest pixels are those of its limits, and a half holds a sample at the block's
// extreme pixel exactly when that pixel lies within the pixels of the half's limits.
bool ColumnWalk::feedBlock(int level, std::size_t index, std::size_t first, std::size_t last, double low,
                           double high, const std::function<void(std::size_t)>& feed) const
{
    const double a = pixelY(low);
    const double b = pixelY(high);
    if (std::isnan(a) || std::isnan(b))
        return false;
    const auto firstAt = [&](double pixel) {
        return pyramid.earliest(
            level, index,
            [&](double l, double h) {
                const double p = pixelY(l);
                const double q = pixelY(h);
                return std::min(p, q) <= pixel && pixel <= std::max(p, q);
            },
            [&](double y) { return pixelY(y) == pixel; });
    };
    const std::size_t lowest = firstAt(std::min(a, b));
    const std::size_t highest = firstAt(std::max(a, b));
    feed(first);
    feed(std::min(lowest, highest));
    feed(std::max(lowest, highest));
    feed(last);
    return true;
}
