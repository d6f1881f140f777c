#pragma once

#include <cstddef>
#include <vector>

class FitData;
class FitModel;

// The least-squares problem of a model over the data: the residuals f_i = f(x_i) - y_i and
// their Jacobian, both unweighted (the solver applies the weights). The Jacobian comes from
// central differences with a step of its own for each parameter, about the cube root of the
// machine epsilon times the parameter, which balances the truncation error against the
// rounding error: about ten correct digits where the parameter sets the model's scale. A
// location far from zero (a peak's centre at 450 with a width of 4) loses digits to that
// step; the extrapolated Jacobian, which the standard errors use, combines the steps h and
// h/2 so that the truncation error falls from h^2 to h^4. Model and data must outlive the
// problem.
//
// Both throw what FitModel::evaluate throws: FitError or std::bad_alloc from a compile.
class FitProblem {
public:
    enum class Differences { central, extrapolated };

    // May throw std::bad_alloc.
    FitProblem(FitModel& model, const FitData& data);
    FitProblem(FitModel& model, const FitData&& data) = delete;

    std::size_t parameterCount() const;

    // False when a value is not finite, which stays so in f; failedX() then tells where.
    bool residuals(const double* parameters, double* f);
    // jacobian[i * rowStride + j] = df_i/dp_j. False when a value is not finite. Extrapolated
    // differences take twice the model evaluations of central ones and one more column of
    // storage, made at their first use.
    bool jacobian(const double* parameters, double* jacobian, std::size_t rowStride,
                  Differences differences = Differences::central);
    double failedX() const { return failedX_; }

private:
    bool allFinite(const double* values);
    // out[i * stride] = (plus_ - minus_) over the difference of the parameter's values at both
    // sides. False when a value is not finite.
    bool centralDifference(std::size_t j, double step, double* out, std::size_t stride);

    FitModel& model_;
    const FitData& data_;
    std::vector<double> shifted_;
    std::vector<double> plus_;
    std::vector<double> minus_;
    // The central differences of the wider step, for the extrapolation.
    std::vector<double> wide_;
    double failedX_ = 0.0;
};
