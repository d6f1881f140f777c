#pragma once

#include <cstddef>

// Smallest and largest x and y of a pair of sample arrays. Comparisons are strict, so a NaN
// becomes a limit only when it is the first value.
struct DataRange {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;

    // Needs count >= 1.
    static DataRange of(const double* x, const double* y, std::size_t count);
};
