#pragma once

#include "DataRange.h"

#include <cstddef>
#include <cstdint>

// Figures of a curve's y values; x values do not enter. A NaN value is a missing one, a gap:
// it is counted and left out of every other figure. Infinities are values like any other.
struct CurveStatistics {
    std::uint32_t samples = 0; // values that enter the figures
    std::uint32_t gaps = 0;    // NaN values
    double minimum = 0.0;
    double maximum = 0.0;
    double amount = 0.0;  // sum of y
    double mean = 0.0;
    double sigma = 0.0;   // population standard deviation
    double energy = 0.0;  // sum of y squared
    double power = 0.0;   // energy per sample
    double norm = 0.0;    // square root of energy
    double rms = 0.0;     // square root of power

    // An array without a value that is not NaN gives samples 0 and 0 for every figure but gaps.
    static CurveStatistics of(const double* y, std::size_t count);
    // The same figures, and in the same pass the finite limits of y, and of x where there is
    // an x, into `range`.
    static CurveStatistics of(const double* x, const double* y, std::size_t count, DataRange& range);
};
