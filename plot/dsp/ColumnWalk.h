#pragma once

#include <cstddef>
#include <functional>

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
    std::size_t lastInColumn(std::size_t first, std::size_t to) const;
    bool feedBlock(int level, std::size_t index, std::size_t first, std::size_t last, double low, double high,
                   const std::function<void(std::size_t)>& feed) const;

    const MinMaxPyramid& pyramid;
    std::function<double(std::size_t)> column;
    std::function<double(double)> pixelY;
};
