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
    std::size_t first = from;
    while (first <= to) {
        const std::size_t last = lastInColumn(first, to);
        feed(first);
        if (last > first + 1) {
            collect(first + 1, last - 1);
            feedPieces(feed);
        }
        if (last > first)
            feed(last);
        first = last + 1;
    }
}

// A monotonic pixel keeps every y of a block between the pixels of its limits, so the block's
// lowest and highest pixels are those of its limits. A block with a y of no pixel is offered
// in halves, down to single samples.
void ColumnWalk::collect(std::size_t from, std::size_t to) const
{
    pieces.clear();
    pyramid.visit(
        from, to,
        [&](int level, std::size_t index, std::size_t first, std::size_t last, double low, double high) {
            const double a = pixelY(low);
            const double b = pixelY(high);
            if (std::isnan(a) || std::isnan(b))
                return false;
            pieces.push_back({first, last, level, index, std::min(a, b), std::max(a, b), true});
            return true;
        },
        [&](std::size_t i) { pieces.push_back({i, i, 0, 0, 0.0, 0.0, false}); });
}

// Samples fed alone may end a thinning's run (a gap does), so blocks are weighed in runs
// between them.
void ColumnWalk::feedPieces(const std::function<void(std::size_t)>& feed) const
{
    std::size_t k = 0;
    while (k < pieces.size()) {
        if (!pieces[k].block) {
            feed(pieces[k++].first);
            continue;
        }
        std::size_t end = k;
        while (end < pieces.size() && pieces[end].block)
            ++end;
        feedBlocks(k, end, feed);
        k = end;
    }
}

// A thinning keeps the first sample at its run's lowest and at its highest pixel. Of a run of
// blocks, only the first block that reaches the run's lowest pixel can hold the first such
// sample, and likewise for the highest: only those two are searched. Every block still gives
// its first and last sample.
void ColumnWalk::feedBlocks(std::size_t begin, std::size_t end, const std::function<void(std::size_t)>& feed) const
{
    std::size_t lowBlock = begin;
    std::size_t highBlock = begin;
    for (std::size_t k = begin + 1; k < end; ++k) {
        if (pieces[k].lowPixel < pieces[lowBlock].lowPixel)
            lowBlock = k;
        if (pieces[k].highPixel > pieces[highBlock].highPixel)
            highBlock = k;
    }
    for (std::size_t k = begin; k < end; ++k) {
        const Piece& block = pieces[k];
        const std::size_t lowest = k == lowBlock ? firstAtPixel(block, block.lowPixel) : block.last;
        const std::size_t highest = k == highBlock ? firstAtPixel(block, block.highPixel) : block.last;
        feed(block.first);
        feed(std::min(lowest, highest));
        feed(std::max(lowest, highest));
        feed(block.last);
    }
}

// A half holds a sample at the block's pixel exactly when that pixel lies within the pixels
// of the half's limits.
std::size_t ColumnWalk::firstAtPixel(const Piece& block, double pixel) const
{
    return pyramid.earliest(
        block.level, block.index,
        [&](double l, double h) {
            const double p = pixelY(l);
            const double q = pixelY(h);
            return std::min(p, q) <= pixel && pixel <= std::max(p, q);
        },
        [&](double y) { return pixelY(y) == pixel; });
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
