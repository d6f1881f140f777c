#pragma once

#include <QString>

#include <map>
#include <string>

// A fit as the Fit dialog and kurvo-render ask for it.
struct FitRequest {
    // An expression of x whose other names are its parameters, or with `builtin` the name of
    // a built-in model ("exp", "poly:3").
    QString model;
    bool builtin = false;
    // Start values of an expression's parameters by name; a parameter without one starts at
    // 1. A built-in model guesses its own.
    std::map<std::string, double> starts;
    // The curve whose y are the standard deviations sigma of the fitted curve's points, one
    // for each point: the weights are 1/sigma^2. -1 for a fit without weights.
    int sigmaCurve = -1;
    // The residuals as a curve of their own besides the fitted one.
    bool residuals = false;
};
