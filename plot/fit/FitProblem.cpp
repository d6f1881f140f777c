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
        if (!centralDifference(j, h))
            return false;
        if (differences == Differences::extrapolated) {
            wide_.swap(plus_);
            if (!centralDifference(j, 0.5 * h))
                return false;
            for (std::size_t i = 0; i < n; ++i)
                plus_[i] = (4.0 * plus_[i] - wide_[i]) / 3.0;
        }
        for (std::size_t i = 0; i < n; ++i)
            jacobian[i * rowStride + j] = plus_[i];
    }
    return true;
}

bool FitProblem::centralDifference(std::size_t j, double step)
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
    if (!allFinite(plus_.data()) || !allFinite(minus_.data()))
        return false;
    for (std::size_t i = 0; i < n; ++i)
        plus_[i] = (plus_[i] - minus_[i]) / width;
    return true;
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
