#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// The lowest and highest y of blocks of samples at levels of ever coarser blocks: 64 samples
// at the finest level, twice as many at each next one. A view of a huge curve reads a few
// blocks per pixel column instead of every sample in it. The blocks take half a byte a
// sample, 1/16 of the memory of y alone, which is all a curve with evenly spaced x holds. A block with a NaN holds NaN for both limits, so that it is read
// sample by sample: a gap must stay where it is. A block's x range is that of its first and
// last sample, read from the samples themselves.
class MinMaxPyramid
{
public:
    static constexpr std::size_t kFinestBlock = 64;

    // Linear in `count`; left empty where memory runs short, which only costs speed.
    void build(const double* y, std::size_t count);
    void clear();
    bool empty() const { return levels.empty(); }
    std::size_t memoryBytes() const;

    // Hands `block` every whole block of [first, last] without a NaN, coarsest first and in
    // the order of the samples, with its level, index, first and last sample and y limits;
    // where `block` declines one, its halves are offered instead. Every sample in no offered
    // or taken block goes to `sample`, in order.
    using Block = std::function<bool(int level, std::size_t index, std::size_t first, std::size_t last,
                                     double low, double high)>;
    void visit(std::size_t first, std::size_t last, const Block& block,
               const std::function<void(std::size_t)>& sample) const;
    // The first sample of a block whose y `hits`, descending into the first half whose limits
    // `reaches` accepts, the second otherwise; one past the samples searched when none hits.
    std::size_t earliest(int level, std::size_t index, const std::function<bool(double, double)>& reaches,
                         const std::function<bool(double)>& hits) const;

private:
    struct Limits {
        double low;
        double high;
    };
    static std::size_t blockSize(int level) { return kFinestBlock << level; }
    int largestBlockAt(std::size_t first, std::size_t last) const;
    void visitBlock(int level, std::size_t index, const Block& block,
                    const std::function<void(std::size_t)>& sample) const;

    const double* ys = nullptr;
    std::vector<std::vector<Limits>> levels;
};
