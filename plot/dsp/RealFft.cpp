#include "RealFft.h"

#include "Fft.h"

#include <algorithm>
#include <vector>

RealFft::RealFft(std::size_t n)
    : n_(n)
    , fft_(std::make_unique<Fft>(n))
    , workRe_(new double[n])
    , workIm_(new double[n])
{
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
    double* re = workRe_.get();
    double* im = workIm_.get();
    std::copy(in, in + n_, re);
    std::fill(im, im + n_, 0.0);
    fft_->forward(re, im);
    // Fft scales by 1/n; this transform is unscaled.
    const double scale = double(n_);
    for (std::size_t k = 0; k < bins(); ++k)
        out[k] = std::complex<double>(re[k] * scale, im[k] * scale);
}

namespace {

constexpr std::size_t kCachedPlans = 8;

} // namespace

const RealFft& realFftPlan(std::size_t n)
{
    // Most recently used first.
    thread_local std::vector<std::unique_ptr<RealFft>> plans;
    auto found = std::find_if(plans.begin(), plans.end(),
                              [n](const std::unique_ptr<RealFft>& plan) { return plan->size() == n; });
    if (found == plans.end()) {
        auto plan = std::make_unique<RealFft>(n);
        if (plans.size() == kCachedPlans)
            plans.pop_back();
        plans.insert(plans.begin(), std::move(plan));
    } else {
        std::rotate(plans.begin(), found, found + 1);
    }
    return *plans.front();
}
