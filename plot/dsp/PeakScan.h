#pragma once

#include <cstddef>
#include <vector>

// Positions of the local maxima and minima of a run of samples, in the order found.
struct PeakPositions {
    std::vector<std::size_t> maxima;
    std::vector<std::size_t> minima;
};

// Finds peaks with hysteresis: a maximum counts once the samples have fallen more than `delta`
// below it, a minimum once they have risen more than `delta` above it. The scan looks for a
// minimum first, and after each find resumes at the extremum found, so the positions never
// decrease. It stops when one more minimum than `limit` would be recorded: as each maximum
// follows a minimum, there are never more maxima than minima. The last sample is never a
// peak of its own. A negative delta counts as 0. NaN samples are gaps: never a peak, and the
// scan finds what it would find without them.
PeakPositions scanPeaks(const double* samples, std::size_t count, double delta, std::size_t limit);
