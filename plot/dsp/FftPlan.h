#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class FftBluestein;

// The most points of any transform that is planned, Bluestein's inner ones included; more is
// refused as memory that cannot be had.
constexpr std::uint64_t kLargestFftLength = std::uint64_t(1) << 32;

// The unscaled forward transform of n complex points, any n >= 1, for several sequences at
// once: `batch` of them interleaved, point t of sequence j at batch·t + j.
//
// It runs self-sorting passes (each from one array into another, so no reordering pass is
// needed) over the factors 2, 3, 5 and 7 of n, as few as it can: radix 8 (at most three
// times), 4, 10, 6, 9, 7, 5, 3 and 2, in that order. The rest of n, the product of its larger
// prime factors, is left to Bluestein's method, which then transforms all the interleaved
// sequences the passes leave at once. Each pass counts as as many stages as its radix has
// prime factors.
class FftPlan
{
public:
    using Progress = std::function<bool(int stage)>;

    // maxBatch: the most sequences one run() transforms. May throw std::bad_alloc.
    FftPlan(std::size_t n, std::size_t maxBatch);
    ~FftPlan();

    std::size_t size() const;
    int stages() const;
    // Whether run() uses its spare arrays when the result stays in place.
    bool needsSpare() const;

    // Transforms `batch` (<= maxBatch) sequences held in re and im, multiplied by `scale`,
    // into the same layout: in re and im, or in spareRe and spareIm when `intoSpare` is set.
    // The spare arrays (batch·size() values each) serve as scratch either way. Progress
    // hears of the stages as firstStage, firstStage + 1, …; false when it asked to stop.
    bool run(double* re, double* im, double* spareRe, double* spareIm, bool intoSpare,
             std::size_t batch, double scale, const Progress& progress, int firstStage) const;

private:
    struct Pass {
        int radix = 0;
        int stages = 0;
        std::size_t count = 0;
        // The twiddle factors of rows 1 … radix − 1; empty on the last pass.
        std::vector<double> twiddleRe;
        std::vector<double> twiddleIm;
    };

    std::size_t n_ = 0;
    std::vector<Pass> passes_;
    std::unique_ptr<FftBluestein> bluestein_;
};
