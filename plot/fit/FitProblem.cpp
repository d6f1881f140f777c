#include "FitProblem.h"

#include "FitData.h"
#include "FitModel.h"

#include <cmath>
#include <limits>

namespace {

const double kRelativeStep = std::cbrt(std::numeric_limits<double>::epsilon());

} // namespace

FitProblem::FitProblem(FitModel& model, const FitData& data)
    : model_(model)
    , data_(data)
    , shifted_(model.parameterCount())
    , plus_(data.size())
    , minus_(data.size())
{
}

std::size_t FitProblem::parameterCount() const
{
    return shifted_.size();
}

bool FitProblem::residuals(const double* parameters, double* f)
{
    const std::size_t n = data_.size();
    model_.evaluate(parameters, data_.x().data(), n, f);
    const double* y = data_.y().data();
    for (std::size_t i = 0; i < n; ++i)
        f[i] -= y[i];
    return allFinite(f);
}

bool FitProblem::jacobian(const double* parameters, double* jacobian, std::size_t rowStride,
                          Differences differences)
{
    const std::size_t n = data_.size();
    if (differences == Differences::extrapolated)
        wide_.resize(n);
    shifted_.assign(parameters, parameters + shifted_.size());
    for (std::size_t j = 0; j < shifted_.size(); ++j) {
        const double p = parameters[j];
        const double h = kRelativeStep * (p != 0.0 ? std::fabs(p) : 1.0);
        if (differences == Differences::central) {
            if (!centralDifference(j, h, jacobian + j, rowStride))
                return false;
            continue;
        }
        if (!centralDifference(j, h, wide_.data(), 1) || !centralDifference(j, 0.5 * h, plus_.data(), 1))
            return false;
        for (std::size_t i = 0; i < n; ++i)
            jacobian[i * rowStride + j] = (4.0 * plus_[i] - wide_[i]) / 3.0;
    }
    return true;
}

// One pass over both sides writes the differences and looks for values that are not
// finite: on a million points the passes over memory, not the arithmetic, take the time.
bool FitProblem::centralDifference(std::size_t j, double step, double* out, std::size_t stride)
{
    const std::size_t n = data_.size();
    const double* x = data_.x().data();
    const double p = shifted_[j];
    shifted_[j] = p + step;
    // The step actually taken, after rounding p + step and p - step to doubles.
    const double up = shifted_[j];
    model_.evaluate(shifted_.data(), x, n, plus_.data());
    shifted_[j] = p - step;
    const double width = up - shifted_[j];
    model_.evaluate(shifted_.data(), x, n, minus_.data());
    shifted_[j] = p;
    bool finite = true;
    for (std::size_t i = 0; i < n; ++i) {
        finite &= std::isfinite(plus_[i]) & std::isfinite(minus_[i]);
        out[i * stride] = (plus_[i] - minus_[i]) / width;
    }
    // Where it fails, the first value that is not finite on the upper side, else the lower.
    return finite || (allFinite(plus_.data()) && allFinite(minus_.data()));
}

bool FitProblem::allFinite(const double* values)
{
    const std::size_t n = data_.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(values[i])) {
            failedX_ = data_.x()[i];
            return false;
        }
    }
    return true;
}
