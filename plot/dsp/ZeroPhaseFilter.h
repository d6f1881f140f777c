#pragma once

#include "SosCascade.h"

#include <cstddef>
#include <vector>

// A filter run forward and then backward over each gap-free run (GapRuns.h), so that the
// phase shifts of the two passes cancel: a sine in the pass band comes out where it went in,
// with its amplitude multiplied by |H|². Gaps stay NaN.
//
// The ends of a run would otherwise start from silence and ring: the run is extended at both
// ends by its own values mirrored through its end points (2·y[0] − y[k]), 3·(2·sections + 1)
// points or as many as the run has less one, and each pass starts in the state a constant
// at its first value leaves the filter in.
class ZeroPhaseFilter
{
public:
    explicit ZeroPhaseFilter(SosCascade cascade);

    // May throw std::bad_alloc.
    std::vector<double> apply(const double* x, const double* y, std::size_t count) const;

private:
    void filterRun(const double* y, std::size_t n, double* out) const;

    SosCascade cascade;
    std::size_t padding;
};
