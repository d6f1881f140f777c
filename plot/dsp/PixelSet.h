#pragma once

#include <cstdint>
#include <vector>

// The pixels of a rectangle already drawn, one bit each: a dot drawn twice at one pixel in an
// opaque colour looks as it does drawn once.
class PixelSet
{
public:
    PixelSet(int left, int top, int width, int height);

    // True when the pixel is inside the rectangle and was not there before. Coordinates are
    // whole pixels; a NaN is outside.
    bool insert(double px, double py);

private:
    int left;
    int top;
    int width;
    int height;
    std::vector<std::uint64_t> bits;
};
