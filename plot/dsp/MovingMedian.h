#pragma once

#include <cstddef>
#include <vector>

// The median of each point's window of `window` points, the window placed and shrunk near the
// ends of a run as movingAverage's (MovingAverage.h); a window of an even count of points
// gives the mean of its two middle values. Each gap-free run is filtered by itself; gaps stay
// NaN. O(count · log window). Throws std::invalid_argument for a window of 0; may throw
// std::bad_alloc.
std::vector<double> movingMedian(const double* x, const double* y, std::size_t count, std::size_t window);
