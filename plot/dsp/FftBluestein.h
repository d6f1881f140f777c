#pragma once

#include "FftPlan.h"

#include <cstddef>
#include <vector>

// The transform of any length r by Bluestein's chirp-z method, for `batch` interleaved
// sequences at once: k·n = (k² + n² − (k − n)²)/2 turns it into a circular convolution of
// length M, the smallest product of 2, 3, 5 and 7 at or above 2r − 1, done by two
// transforms of M points (FftPlan's passes; the second runs backwards).
//
// It keeps the chirp (r values), the transform of the convolution kernel (M values) and
// scratch of 2·maxBatch·M values, all complex.
class FftBluestein
{
public:
    using Progress = FftPlan::Progress;

    // May throw std::bad_alloc.
    FftBluestein(std::size_t r, std::size_t maxBatch);

    // The stages of the two transforms of M points.
    int stages() const;

    // The transform of `batch` (<= maxBatch) sequences from `in` into `out`, which may be
    // the same arrays, multiplied by `scale`. The input is read only before the first stage.
    bool run(const double* inRe, const double* inIm, double* outRe, double* outIm,
             std::size_t batch, double scale, const Progress& progress, int firstStage) const;

private:
    std::size_t r_ = 0;
    std::size_t m_ = 0;
    FftPlan inner_;
    // e^(−iπ·n²/r), n < r.
    std::vector<double> chirpRe_;
    std::vector<double> chirpIm_;
    // The transform of the conjugate chirp at lags −(r−1) … r−1, wrapped to length M, with
    // the 1/M of the backward transform.
    std::vector<double> kernelRe_;
    std::vector<double> kernelIm_;
    mutable std::vector<double> workRe_;
    mutable std::vector<double> workIm_;
    mutable std::vector<double> spareRe_;
    mutable std::vector<double> spareIm_;
};
