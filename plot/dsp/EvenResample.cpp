#include "EvenResample.h"

#include "LinearInterpolation.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

// A last x that lies a rounding error short of a whole number of steps still counts.
constexpr double kStepTolerance = 1e-9;

std::string text(double value)
{
    std::ostringstream out;
    out.precision(12);
    out << value;
    return out.str();
}

} // namespace

Resampled resampleEvenly(const double* x, const double* y, std::size_t count, double step, std::size_t maxPoints)
{
    if (!std::isfinite(step) || step <= 0)
        throw std::invalid_argument("The resampling step must be a positive number.");
    const LinearInterpolation curve(x, y, count);
    const auto finite = [](double v) { return std::isfinite(v); };
    const double* first = std::find_if(x, x + count, finite);
    if (first == x + count)
        return {};
    const double x0 = *first;
    const double x1 = *std::find_if(std::reverse_iterator<const double*>(x + count),
                                    std::reverse_iterator<const double*>(x), finite);
    const double steps = std::floor((x1 - x0) / step + kStepTolerance);
    if (!(steps < double(maxPoints)))
        throw std::invalid_argument("A step of " + text(step) + " would make more than " +
                                    std::to_string(maxPoints) + " points.");
    Resampled out;
    out.x.resize(std::size_t(steps) + 1);
    for (std::size_t k = 0; k < out.x.size(); ++k)
        out.x[k] = std::min(x0 + double(k) * step, x1);
    out.y.resize(out.x.size());
    curve.sample(out.x.data(), out.x.size(), out.y.data());
    return out;
}
