#pragma once

#include "FitResult.h"

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

class FitData;
class FitModel;

// Least squares for any model: GSL's trust-region Levenberg-Marquardt with geodesic
// acceleration (gsl_multifit_nlinear), the Jacobian from FitProblem, the weights as GSL
// takes them. Iterates until a step changes no parameter by more than 1e-14 of itself or
// the gradient is as small, which is as far as double precision can tell the minimum.
class NonlinearFit {
public:
    static constexpr std::size_t defaultMaxIterations = 2000;
    // Called after every iteration with the iterations done; false stops the fit there with
    // FitCancelled. A fit of a million points takes a few tenths of a second per iteration,
    // so a caller can keep a window live and offer to stop.
    using Progress = std::function<bool(std::size_t iterations)>;

    // Model and data must outlive the fit.
    NonlinearFit(FitModel& model, const FitData& data);
    NonlinearFit(FitModel& model, const FitData&& data) = delete;

    void setMaxIterations(std::size_t iterations) { maxIterations_ = iterations; }
    void setProgress(Progress progress) { progress_ = std::move(progress); }

    // From the start values, one per parameter of the model. Throws FitError for fewer points
    // than parameters, a model that is not finite at the start or near the solution, and a fit
    // that does not converge, FitCancelled when the progress said stop; may throw std::bad_alloc.
    FitResult solve(const std::vector<double>& start);

private:
    FitModel& model_;
    const FitData& data_;
    std::size_t maxIterations_ = defaultMaxIterations;
    Progress progress_;
};
