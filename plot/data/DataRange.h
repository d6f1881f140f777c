#pragma once

#include <cstddef>

// Smallest and largest x and y of a pair of sample arrays. Only finite values count: an
// infinity or NaN among the samples would make an axis that shows nothing.
struct DataRange {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    bool xFound = false; // a finite x value was seen
    bool yFound = false;

    bool found() const { return xFound && yFound; }

    static DataRange of(const double* x, const double* y, std::size_t count);
};
