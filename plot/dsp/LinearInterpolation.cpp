#include "LinearInterpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

LinearInterpolation::LinearInterpolation(const double* x, const double* y, std::size_t count)
    : xs(x)
    , ys(y)
    , size(count)
{
    if (!std::all_of(x, x + count, [](double v) { return std::isfinite(v); }))
        keepGaps(x, y, count);
    for (std::size_t i = 1; i < size; ++i) {
        if (xs[i] < xs[i - 1])
            throw std::invalid_argument("Its x decreases at point " + std::to_string(i) +
                                        ", so it cannot be interpolated.");
    }
}

// A point without x becomes a second point at the x before it, without a value: the interval
// from it to the next point then has none.
void LinearInterpolation::keepGaps(const double* x, const double* y, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (std::isfinite(x[i])) {
            ownX.push_back(x[i]);
            ownY.push_back(y[i]);
        } else if (!ownX.empty()) {
            ownX.push_back(ownX.back());
            ownY.push_back(kNaN);
        }
    }
    xs = ownX.data();
    ys = ownY.data();
    size = ownX.size();
}

double LinearInterpolation::at(double x) const
{
    if (size == 0 || !(x >= xs[0] && x <= xs[size - 1]))
        return kNaN;
    return between(std::size_t(std::lower_bound(xs, xs + size, x) - xs), x);
}

void LinearInterpolation::sample(const double* where, std::size_t n, double* values) const
{
    std::size_t j = 0;
    double last = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < n; ++i) {
        const double t = where[i];
        if (size == 0 || !(t >= xs[0] && t <= xs[size - 1])) {
            values[i] = kNaN;
            continue;
        }
        if (t < last)
            j = std::size_t(std::lower_bound(xs, xs + size, t) - xs);
        while (xs[j] < t)
            ++j;
        last = t;
        values[i] = between(j, t);
    }
}

double LinearInterpolation::between(std::size_t j, double t) const
{
    if (xs[j] == t)
        return ys[j];
    const double x0 = xs[j - 1];
    const double y0 = ys[j - 1];
    return y0 + (ys[j] - y0) * ((t - x0) / (xs[j] - x0));
}
