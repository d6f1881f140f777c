#include "MinMaxPyramid.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

const double kNaN = std::nan("");

} // namespace

void MinMaxPyramid::build(const double* y, std::size_t count)
{
    clear();
    try {
        std::vector<Limits> finest(count / kFinestBlock);
        for (std::size_t b = 0; b < finest.size(); ++b) {
            const double* block = y + b * kFinestBlock;
            double low = block[0];
            double high = block[0];
            bool gap = false;
            for (std::size_t i = 0; i < kFinestBlock; ++i) {
                gap |= std::isnan(block[i]);
                low = std::min(low, block[i]);
                high = std::max(high, block[i]);
            }
            finest[b] = gap ? Limits{kNaN, kNaN} : Limits{low, high};
        }
        levels.push_back(std::move(finest));
        while (levels.back().size() > 1) {
            const std::vector<Limits>& below = levels.back();
            std::vector<Limits> level(below.size() / 2);
            for (std::size_t b = 0; b < level.size(); ++b) {
                const Limits& a = below[2 * b];
                const Limits& c = below[2 * b + 1];
                const bool gap = std::isnan(a.low) || std::isnan(c.low);
                level[b] = gap ? Limits{kNaN, kNaN} : Limits{std::min(a.low, c.low), std::max(a.high, c.high)};
            }
            levels.push_back(std::move(level));
        }
        ys = y;
    } catch (const std::bad_alloc&) {
        clear();
    }
}

void MinMaxPyramid::clear()
{
    levels.clear();
    ys = nullptr;
}

std::size_t MinMaxPyramid::memoryBytes() const
{
    std::size_t bytes = 0;
    for (const std::vector<Limits>& level : levels)
        bytes += level.size() * sizeof(Limits);
    return bytes;
}

// The coarsest block starting at `first` that ends by `last`; -1 where there is none.
int MinMaxPyramid::largestBlockAt(std::size_t first, std::size_t last) const
{
    int found = -1;
    for (int level = 0; level < int(levels.size()); ++level) {
        const std::size_t size = blockSize(level);
        if (first % size != 0 || first + size - 1 > last || first / size >= levels[std::size_t(level)].size())
            break;
        found = level;
    }
    return found;
}

void MinMaxPyramid::visit(std::size_t first, std::size_t last, const Block& block,
                          const std::function<void(std::size_t)>& sample) const
{
    std::size_t at = first;
    while (at <= last) {
        const int level = largestBlockAt(at, last);
        if (level < 0) {
            sample(at++);
            continue;
        }
        visitBlock(level, at / blockSize(level), block, sample);
        at += blockSize(level);
    }
}

void MinMaxPyramid::visitBlock(int level, std::size_t index, const Block& block,
                               const std::function<void(std::size_t)>& sample) const
{
    const Limits& limits = levels[std::size_t(level)][index];
    const std::size_t first = index * blockSize(level);
    if (!std::isnan(limits.low) && block(level, index, first, first + blockSize(level) - 1, limits.low, limits.high))
        return;
    if (level == 0) {
        for (std::size_t i = first; i < first + kFinestBlock; ++i)
            sample(i);
        return;
    }
    visitBlock(level - 1, 2 * index, block, sample);
    visitBlock(level - 1, 2 * index + 1, block, sample);
}

std::size_t MinMaxPyramid::earliest(int level, std::size_t index, const std::function<bool(double, double)>& reaches,
                                    const std::function<bool(double)>& hits) const
{
    while (level > 0) {
        const Limits& left = levels[std::size_t(level - 1)][2 * index];
        --level;
        index = reaches(left.low, left.high) ? 2 * index : 2 * index + 1;
    }
    const std::size_t first = index * kFinestBlock;
    for (std::size_t i = first; i < first + kFinestBlock; ++i) {
        if (hits(ys[i]))
            return i;
    }
    return first + kFinestBlock;
}
