#include "SamplingCheck.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Steps longer than this many median steps are gaps: a missing sample or more.
constexpr double kGapFactor = 1.5;
// Relative RMS jitter above which a spectrum's frequency axis is no longer trustworthy.
constexpr double kJitterLimit = 1e-3;

} // namespace

bool SamplingCheck::warns() const
{
    return jitter > kJitterLimit || gaps > 0;
}

SamplingCheck checkSampling(const double* x, std::size_t count)
{
    SamplingCheck check;
    std::vector<double> steps;
    for (std::size_t i = 1; i < count; ++i) {
        const double step = x[i] - x[i - 1];
        if (!std::isnan(step))
            steps.push_back(step);
    }
    if (steps.empty())
        return check;
    std::vector<double> sorted = steps;
    const auto middle = sorted.begin() + std::ptrdiff_t(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    double median = *middle;
    if (sorted.size() % 2 == 0)
        median = (median + *std::max_element(sorted.begin(), middle)) / 2.0;
    if (median == 0.0 || !std::isfinite(median))
        return check;

    double squares = 0;
    for (double step : steps) {
        const double deviation = (step - median) / median;
        squares += deviation * deviation;
        if (step > kGapFactor * median)
            ++check.gaps;
    }
    check.rate = 1.0 / median;
    check.jitter = std::sqrt(squares / double(steps.size()));
    return check;
}
