#include "FftBluestein.h"

#include "FftKernelTable.h"
#include "FftRoots.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace {

// The smallest 2^a·3^b·5^c·7^d at or above `target`.
std::size_t smoothAtLeast(std::size_t target)
{
    std::size_t best = 1;
    while (best < target)
        best *= 2;
    for (std::size_t p7 = 1; p7 < best; p7 *= 7) {
        for (std::size_t p5 = p7; p5 < best; p5 *= 5) {
            for (std::size_t p3 = p5; p3 < best; p3 *= 3) {
                std::size_t candidate = p3;
                while (candidate < target)
                    candidate *= 2;
                best = std::min(best, candidate);
            }
        }
    }
    return best;
}

// M for r points, refused before any memory is taken when the transforms of all the
// sequences would be too long.
std::size_t convolutionLength(std::size_t r, std::size_t maxBatch)
{
    if (std::uint64_t(r) > kLargestFftLength / 2)
        throw std::bad_alloc();
    const std::size_t m = smoothAtLeast(2 * r - 1);
    if (std::uint64_t(m) * maxBatch > kLargestFftLength)
        throw std::bad_alloc();
    return m;
}

} // namespace

FftBluestein::FftBluestein(std::size_t r, std::size_t maxBatch)
    : r_(r)
    , m_(convolutionLength(r, maxBatch))
    , inner_(m_, maxBatch)
{
    // The chirp's angle π·n²/r only matters modulo 2π, so n² is kept modulo 2r exactly,
    // by adding 2n + 1 at each step.
    const std::uint64_t turn = 2 * std::uint64_t(r_);
    const FftRoots roots(turn);
    chirpRe_.resize(r_);
    chirpIm_.resize(r_);
    std::uint64_t square = 0;
    for (std::size_t n = 0; n < r_; ++n) {
        roots.at(square, chirpRe_[n], chirpIm_[n]);
        square = (square + 2 * n + 1) % turn;
    }

    workRe_.assign(maxBatch * m_, 0.0);
    workIm_.assign(maxBatch * m_, 0.0);
    spareRe_.assign(maxBatch * m_, 0.0);
    spareIm_.assign(maxBatch * m_, 0.0);

    kernelRe_.assign(m_, 0.0);
    kernelIm_.assign(m_, 0.0);
    kernelRe_[0] = chirpRe_[0];
    kernelIm_[0] = -chirpIm_[0];
    for (std::size_t n = 1; n < r_; ++n) {
        kernelRe_[n] = kernelRe_[m_ - n] = chirpRe_[n];
        kernelIm_[n] = kernelIm_[m_ - n] = -chirpIm_[n];
    }
    inner_.run(kernelRe_.data(), kernelIm_.data(), workRe_.data(), workIm_.data(), false, 1,
               1.0 / double(m_), {}, 0);
}

int FftBluestein::stages() const
{
    return 2 * inner_.stages();
}

bool FftBluestein::run(const double* inRe, const double* inIm, double* outRe, double* outIm,
                       std::size_t batch, double scale, const Progress& progress,
                       int firstStage) const
{
    const FftKernelTable& kernels = fftKernelTable();
    double* workRe = workRe_.data();
    double* workIm = workIm_.data();
    double* spareRe = spareRe_.data();
    double* spareIm = spareIm_.data();
    kernels.multiplyRows(inRe, inIm, chirpRe_.data(), chirpIm_.data(), r_, batch, 1.0, workRe,
                         workIm);
    std::fill(workRe + batch * r_, workRe + batch * m_, 0.0);
    std::fill(workIm + batch * r_, workIm + batch * m_, 0.0);

    if (!inner_.run(workRe, workIm, spareRe, spareIm, false, batch, 1.0, progress, firstStage))
        return false;
    kernels.multiplyRows(workRe, workIm, kernelRe_.data(), kernelIm_.data(), m_, batch, 1.0,
                         workRe, workIm);
    // Swapping the real and imaginary parts on the way in and out turns the forward
    // transform into the backward one.
    if (!inner_.run(workIm, workRe, spareIm, spareRe, false, batch, 1.0, progress,
                    firstStage + inner_.stages()))
        return false;
    kernels.multiplyRows(workRe, workIm, chirpRe_.data(), chirpIm_.data(), r_, batch, scale,
                         outRe, outIm);
    return true;
}
