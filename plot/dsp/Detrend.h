#pragma once

#include <cstddef>
#include <vector>

enum class Trend { Mean, Linear };

// y less its mean, or less the straight line a + b·x fitted to it by least squares. A trend
// belongs to the whole curve, so it is taken over every point that is no gap (GapRuns.h), not
// run by run; gaps stay NaN. When every x is the same the line has no slope and the mean is
// taken away. May throw std::bad_alloc.
std::vector<double> detrend(const double* x, const double* y, std::size_t count, Trend trend);
