#pragma once

#include <cstddef>
#include <vector>

// The mean of each point's window of `window` points: (window − 1) / 2 points before it, the
// point, and window / 2 after it, so that an odd window is centred. Near the ends of a run the
// window keeps only the points that exist: it shrinks rather than inventing values, so the
// first point of a run is the mean of itself and the window / 2 points after it. Each
// gap-free run (GapRuns.h) is averaged by itself; gaps stay NaN. x serves only to find the
// gaps. Throws std::invalid_argument for a window of 0; may throw std::bad_alloc.
std::vector<double> movingAverage(const double* x, const double* y, std::size_t count, std::size_t window);
