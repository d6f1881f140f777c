#include "RealFft.h"

#include "FftKernelTable.h"
#include "FftPlan.h"
#include "FftPlanCache.h"
#include "FftRoots.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>

RealFft::RealFft(std::size_t n)
    : n_(n)
{
    if (n == 0)
        throw std::invalid_argument("RealFft: a transform needs at least one value");
    if (std::uint64_t(n) > kLargestFftLength)
        throw std::bad_alloc();
    const std::size_t points = n % 2 == 0 ? n / 2 : n;
    plan_ = std::make_unique<FftPlan>(points, 1);
    if (n % 2 == 0) {
        rootRe_.resize(points);
        rootIm_.resize(points);
        FftRoots(n).fill(1, points, rootRe_.data(), rootIm_.data());
    }
    workRe_.resize(points);
    workIm_.resize(points);
    if (plan_->needsSpare()) {
        spareRe_.resize(points);
        spareIm_.resize(points);
    }
}

RealFft::~RealFft() = default;

std::size_t RealFft::size() const
{
    return n_;
}

std::size_t RealFft::bins() const
{
    return n_ / 2 + 1;
}

void RealFft::forward(const double* in, std::complex<double>* out) const
{
    const FftKernelTable& kernels = fftKernelTable();
    double* re = workRe_.data();
    double* im = workIm_.data();
    if (n_ % 2 == 0) {
        const std::size_t h = n_ / 2;
        kernels.packReal(in, h, re, im);
        plan_->run(re, im, spareRe_.data(), spareIm_.data(), false, 1, 1.0, {}, 0);
        // std::complex<double> is laid out as two doubles, real part first.
        kernels.unpackRealHalf(re, im, h, rootRe_.data(), rootIm_.data(),
                               reinterpret_cast<double*>(out));
        return;
    }
    std::copy(in, in + n_, re);
    std::fill(im, im + n_, 0.0);
    plan_->run(re, im, spareRe_.data(), spareIm_.data(), false, 1, 1.0, {}, 0);
    for (std::size_t k = 0; k < bins(); ++k)
        out[k] = {re[k], im[k]};
}

const RealFft& realFftPlan(std::size_t n)
{
    thread_local FftPlanCache<RealFft> plans(8);
    return plans.planFor(n);
}
