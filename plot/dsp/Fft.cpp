#include "Fft.h"

#include "FftKernelTable.h"
#include "FftPlan.h"
#include "FftPlanCache.h"
#include "FftRoots.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>

Fft::Fft(std::size_t n)
    : n_(n)
{
    if (n == 0)
        throw std::invalid_argument("Fft: a transform needs at least one point");
    if (std::uint64_t(n) > kLargestFftLength)
        throw std::bad_alloc();
    if (n % 2 == 0) {
        const std::size_t h = n / 2;
        plan_ = std::make_unique<FftPlan>(h, 2);
        rootRe_.resize(h);
        rootIm_.resize(h);
        FftRoots(n).fill(1, h, rootRe_.data(), rootIm_.data());
        scratchRe_.resize(n);
        scratchIm_.resize(n);
    } else {
        plan_ = std::make_unique<FftPlan>(n, 1);
        if (plan_->needsSpare()) {
            scratchRe_.resize(n);
            scratchIm_.resize(n);
        }
    }
}

Fft::~Fft() = default;
Fft::Fft(Fft&&) noexcept = default;
Fft& Fft::operator=(Fft&&) noexcept = default;

std::size_t Fft::size() const
{
    return n_;
}

bool Fft::isPowerOfTwo() const
{
    return (n_ & (n_ - 1)) == 0;
}

int Fft::stages() const
{
    return plan_->stages() + (n_ % 2 == 0 ? 1 : 0);
}

bool Fft::forward(double* re, double* im, const Progress& progress) const
{
    if (re == nullptr || im == nullptr)
        return false;
    const double scale = 1.0 / double(n_);
    if (n_ % 2 != 0) {
        return plan_->run(re, im, scratchRe_.data(), scratchIm_.data(), false, 1, scale,
                          progress, 0);
    }
    // The even points and the odd ones are two interleaved sequences of N/2 points.
    if (!plan_->run(re, im, scratchRe_.data(), scratchIm_.data(), true, 2, 1.0, progress, 0))
        return false;
    if (progress && !progress(stages() - 1))
        return false;
    fftKernelTable().joinHalves(scratchRe_.data(), scratchIm_.data(), n_ / 2, rootRe_.data(),
                                rootIm_.data(), scale, re, im);
    return true;
}

bool Fft::forwardReal(double* re, double* im, const Progress& progress) const
{
    if (re == nullptr || im == nullptr)
        return false;
    if (n_ % 2 != 0) {
        std::fill(im, im + n_, 0.0);
        return forward(re, im, progress);
    }
    const FftKernelTable& kernels = fftKernelTable();
    const std::size_t h = n_ / 2;
    double* zRe = scratchRe_.data();
    double* zIm = scratchIm_.data();
    kernels.packReal(re, h, zRe, zIm);
    // The input is packed, so its arrays serve as the passes' spare ones.
    if (!plan_->run(zRe, zIm, re, im, false, 1, 1.0, progress, 0))
        return false;
    if (progress && !progress(stages() - 1))
        return false;
    kernels.unpackReal(zRe, zIm, h, rootRe_.data(), rootIm_.data(), 1.0 / double(n_), re, im);
    return true;
}

const Fft& fftPlan(std::size_t n)
{
    thread_local FftPlanCache<Fft> plans(2);
    return plans.planFor(n);
}
