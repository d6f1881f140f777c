#include "ZeroPhaseFilter.h"

#include "GapRuns.h"

#include <algorithm>

ZeroPhaseFilter::ZeroPhaseFilter(SosCascade cascade)
    : cascade(std::move(cascade))
    , padding(3 * (2 * this->cascade.sections().size() + 1))
{
}

std::vector<double> ZeroPhaseFilter::apply(const double* x, const double* y, std::size_t count) const
{
    return filterEachRun(x, y, count, [this](const double*, const double* runY, std::size_t n, double* out) {
        filterRun(runY, n, out);
    });
}

void ZeroPhaseFilter::filterRun(const double* y, std::size_t n, double* out) const
{
    const std::size_t pad = std::min(padding, n - 1);
    std::vector<double> extended(n + 2 * pad);
    for (std::size_t k = 0; k < pad; ++k) {
        extended[pad - 1 - k] = 2 * y[0] - y[k + 1];
        extended[pad + n + k] = 2 * y[n - 1] - y[n - 2 - k];
    }
    std::copy(y, y + n, extended.begin() + std::ptrdiff_t(pad));
    cascade.filter(extended.data(), extended.size(), extended.front());
    std::reverse(extended.begin(), extended.end());
    cascade.filter(extended.data(), extended.size(), extended.front());
    std::reverse(extended.begin(), extended.end());
    std::copy(extended.begin() + std::ptrdiff_t(pad), extended.begin() + std::ptrdiff_t(pad + n), out);
}
