#pragma once

#include "FitResult.h"
#include "NonlinearFit.h"

#include <map>
#include <string>

class FitData;

// Fits a curve's points with a model: one the user writes as an expression of x (see
// FitModel) or a built-in one by name (see BuiltinModel). No widgets: the caller collects
// the points (FitData, FitData::inRange for the visible part of the plot) and adds the
// result's fitted values and residuals as curves.
//
// Every failure the user can act on is a FitError with the message to show. Running out of
// memory is std::bad_alloc, which callers catch as well: a fit of many points holds several
// copies of them and a Jacobian of points times parameters.
class CurveFit {
public:
    // Start values by parameter name; a parameter without one starts at 1. The progress is
    // told of every iteration and may stop the fit (NonlinearFit::Progress).
    static FitResult fitExpression(const std::string& expression, const FitData& data,
                                   const std::map<std::string, double>& starts = {},
                                   const NonlinearFit::Progress& progress = {});
    // With start values guessed from the data. Polynomials are solved in one step, without
    // iterations to report.
    static FitResult fitBuiltin(const std::string& name, const FitData& data,
                                const NonlinearFit::Progress& progress = {});
};
