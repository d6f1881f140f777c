#pragma once

#include <cstddef>
#include <vector>

// The running integral of y over x by the trapezoid rule: 0 at the first point that is no gap,
// then at each point the sum of the trapezoids between neighbours up to it. Nothing is known of
// a gap, so it adds nothing: the integral goes on after it from the value it had before it,
// and is NaN at the gap itself (GapRuns.h). x may step unevenly, and backwards, which counts
// negatively. May throw std::bad_alloc.
std::vector<double> cumulativeIntegral(const double* x, const double* y, std::size_t count);
