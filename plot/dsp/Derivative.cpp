#include "Derivative.h"

#include "GapRuns.h"

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double slope(double x0, double y0, double x1, double y1)
{
    return x1 == x0 ? kNaN : (y1 - y0) / (x1 - x0);
}

void differentiateRun(const double* x, const double* y, std::size_t n, double* out)
{
    if (n == 1) {
        out[0] = kNaN;
        return;
    }
    out[0] = slope(x[0], y[0], x[1], y[1]);
    out[n - 1] = slope(x[n - 2], y[n - 2], x[n - 1], y[n - 1]);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double before = x[i] - x[i - 1];
        const double after = x[i + 1] - x[i];
        const double denominator = before * after * (before + after);
        out[i] = denominator == 0
                     ? kNaN
                     : (before * before * (y[i + 1] - y[i]) + after * after * (y[i] - y[i - 1])) / denominator;
    }
}

} // namespace

std::vector<double> derivative(const double* x, const double* y, std::size_t count)
{
    return filterEachRun(x, y, count, differentiateRun);
}
