#pragma once

#include <cstddef>

// x values that step evenly from a start, as scripts, sound files and spectra make them. Kept
// as a start and a step instead of an array, they cost no memory a point. The start -0.0
// leaves i·step exactly as it is, the sign of a zero included, so start + i·step gives the very
// values an array filled with i·step holds.
struct EvenX {
    double start = -0.0;
    double step = 1.0;

    double at(std::size_t i) const { return start + double(i) * step; }
};
