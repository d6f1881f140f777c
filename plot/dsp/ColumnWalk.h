#pragma once

#include <cstddef>
#include <functional>
#include <vector>

class MinMaxPyramid;

// Picks, from samples with ascending x, the few that decide the pixels of every pixel column
// without reading each sample: the first and last sample of each run of samples in one column,
// and of each whole block of the pyramid in it the first and last sample and the first ones
// at its lowest and highest pixel. A thinning fed only these, in order, keeps what it keeps
// when fed every sample, since it keeps only such samples. Samples in blocks with a gap, or
// with a y that has no pixel, are fed one by one.
class ColumnWalk
{
public:
    // `column` gives the pixel column of a sample, never decreasing or never increasing along
    // the samples, NaN for a sample of no column; `pixelY` the pixel of a y value, monotonic,
    // NaN for a y that has none.
    ColumnWalk(const MinMaxPyramid& pyramid, std::function<double(std::size_t)> column,
               std::function<double(double)> pixelY);

    void walk(std::size_t from, std::size_t to, const std::function<void(std::size_t)>& feed) const;

private:
    // A sample fed alone, or a whole block with the pixels of its limits.
    struct Piece {
        std::size_t first;
        std::size_t last;
        int level;
        std::size_t index;
        double lowPixel;
        double highPixel;
        bool block;
    };
    std::size_t lastInColumn(std::size_t first, std::size_t to) const;
    void collect(std::size_t from, std::size_t to) const;
    void feedPieces(const std::function<void(std::size_t)>& feed) const;
    void feedBlocks(std::size_t begin, std::size_t end, const std::function<void(std::size_t)>& feed) const;
    std::size_t firstAtPixel(const Piece& block, double pixel) const;

    const MinMaxPyramid& pyramid;
    std::function<double(std::size_t)> column;
    std::function<double(double)> pixelY;
    // The pieces of the column at hand, kept between columns for their memory.
    mutable std::vector<Piece> pieces;
};
