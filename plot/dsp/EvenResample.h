#pragma once

#include <cstddef>
#include <vector>

struct Resampled {
    std::vector<double> x;
    std::vector<double> y;
};

// The curve at its first x and every `step` after it up to its last x (x_k = x_0 + k·step,
// each computed afresh so that no rounding piles up), its values interpolated linearly
// between neighbours (LinearInterpolation.h): an x that falls in a gap gets NaN. A curve
// without an x gives no points. Throws std::invalid_argument for a step that is not a
// positive number, for x that decreases, or when more than `maxPoints` points would result;
// may throw std::bad_alloc.
Resampled resampleEvenly(const double* x, const double* y, std::size_t count, double step, std::size_t maxPoints);
