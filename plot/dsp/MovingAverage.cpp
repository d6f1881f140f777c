#include "MovingAverage.h"

#include "GapRuns.h"

#include <algorithm>
#include <stdexcept>

namespace {

long double sum(const double* y, std::size_t begin, std::size_t end)
{
    long double total = 0;
    for (std::size_t j = begin; j < end; ++j)
        total += y[j];
    return total;
}

// A running sum adds and takes away one value per point; it is summed afresh now and then, so
// that rounding cannot pile up over a long run.
void averageRun(const double* y, std::size_t n, std::size_t window, double* out)
{
    const std::size_t before = (window - 1) / 2;
    const std::size_t after = window / 2;
    const std::size_t refresh = std::max<std::size_t>(window, 4096);
    std::size_t lo = 0;
    std::size_t hi = std::min(n, after + 1);
    long double total = sum(y, lo, hi);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t wantLo = i > before ? i - before : 0;
        const std::size_t wantHi = std::min(n, i + after + 1);
        for (; hi < wantHi; ++hi)
            total += y[hi];
        for (; lo < wantLo; ++lo)
            total -= y[lo];
        if (i % refresh == refresh - 1)
            total = sum(y, lo, hi);
        out[i] = double(total / (long double)(hi - lo));
    }
}

} // namespace

std::vector<double> movingAverage(const double* x, const double* y, std::size_t count, std::size_t window)
{
    if (window == 0)
        throw std::invalid_argument("The moving average needs a window of at least one point.");
    return filterEachRun(x, y, count, [window](const double*, const double* runY, std::size_t n, double* out) {
        averageRun(runY, n, window, out);
    });
}
