#include "PixelSet.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

PixelSet::PixelSet(int left, int top, int width, int height)
    : left(left)
    , top(top)
    , width(std::max(0, width))
    , height(std::max(0, height))
    , bits((std::size_t(this->width) * std::size_t(this->height) + 63) / 64)
{
}

bool PixelSet::insert(double px, double py)
{
    const double column = std::floor(px) - left;
    const double row = std::floor(py) - top;
    if (!(column >= 0.0 && column < width && row >= 0.0 && row < height))
        return false;
    const std::size_t at = std::size_t(row) * std::size_t(width) + std::size_t(column);
    const std::uint64_t mask = std::uint64_t(1) << (at % 64);
    std::uint64_t& word = bits[at / 64];
    if (word & mask)
        return false;
    word |= mask;
    return true;
}
