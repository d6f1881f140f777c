#pragma once

#include <cstddef>

// How evenly a curve is sampled: spectra assume one fixed step, so uneven steps or gaps make
// them wrong without showing it.
struct SamplingCheck {
    // 1 / median step (0 when fewer than 2 steps or the median step is 0)
    double rate = 0;
    // RMS deviation of the steps from the median, relative to the median
    double jitter = 0;
    // steps over 1.5 × the median
    std::size_t gaps = 0;

    // jitter > 1e-3 or gaps > 0
    bool warns() const;
};

// Steps from or to a NaN x are skipped.
SamplingCheck checkSampling(const double* x, std::size_t count);
