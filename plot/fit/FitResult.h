#pragma once

#include <cstddef>
#include <string>
#include <vector>

class FitData;

struct FitParameter {
    std::string name;
    double value = 0.0;
    // The standard error: the square root of the covariance's diagonal at the solution,
    // scaled by the residual variance rss / dof (NaN without degrees of freedom).
    double error = 0.0;
};

// What a fit found, in the units of the data.
struct FitResult {
    // The model as an expression of the engine, parameters by name.
    std::string model;
    std::vector<FitParameter> parameters;
    // The residual sum of squares, weighted when the fit is: sum of w * (y - f)^2.
    double rss = 0.0;
    // sqrt(rss / dof).
    double residualSd = 0.0;
    // 1 - rss / tss, about the (weighted) mean of y; NaN when all y are equal.
    double rSquared = 0.0;
    // Points fitted minus parameters.
    std::size_t dof = 0;
    std::size_t points = 0;
    // Points left out for a value that is not finite (FitData::skipped).
    std::size_t skipped = 0;
    // Solver iterations; 0 for a linear model, solved in one step.
    std::size_t iterations = 0;
    // Why the solver stopped, in words.
    std::string stopReason;
    // The fitted points' x, the model's value there and y minus that value, for the caller
    // to add as curves.
    std::vector<double> x;
    std::vector<double> fitted;
    std::vector<double> residuals;

    // Fills the curves and the goodness figures from the data and the model's values at its x,
    // and each parameter's error from the diagonal of the unscaled covariance, (J^T W J)^-1.
    void complete(const FitData& data, std::vector<double> modelValues,
                  const std::vector<double>& unscaledVariances);
};
