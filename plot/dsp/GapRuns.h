#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// A stretch of points without a gap, from `begin` to one before `end`. A point is a gap when
// its x or its y is not finite: a missing value (NaN), or one that no arithmetic can go on
// from. The filters and the calculus work on each run by itself and give NaN at every gap,
// so that a dropout neither spreads into its neighbours nor is bridged as if it had been
// measured.
struct GapRun {
    std::size_t begin = 0;
    std::size_t end = 0;

    std::size_t size() const { return end - begin; }
};

bool isGap(double x, double y);

// The runs in order; empty for a curve of gaps only.
std::vector<GapRun> gapFreeRuns(const double* x, const double* y, std::size_t count);

// Writes `out[0]` to `out[n - 1]` from the `n` points of one run, n >= 1.
using RunFilter = std::function<void(const double* x, const double* y, std::size_t n, double* out)>;

// `filter` on every run; NaN at every gap. May throw std::bad_alloc.
std::vector<double> filterEachRun(const double* x, const double* y, std::size_t count, const RunFilter& filter);
