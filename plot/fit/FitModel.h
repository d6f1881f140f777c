#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CalcParser;

// A model y = f(x; parameters) written as an expression of the engine: x is the variable,
// the constants and functions are those of Math scripts (pi, e, gamma, exp, erf, ...), and
// every other name is a parameter, in the order of its first use: "a*exp(-b*x)+c" has the
// parameters a, b and c. The expression is compiled once; evaluating it reads the values
// from doubles the engine is bound to, so it allocates nothing.
//
// The engine is bound to this object's own storage, so it is neither copied nor moved.
class FitModel {
public:
    // Throws FitError when the expression does not parse or names no parameter; may throw
    // std::bad_alloc.
    explicit FitModel(const std::string& expression);
    ~FitModel();
    FitModel(const FitModel&) = delete;
    FitModel& operator=(const FitModel&) = delete;

    const std::string& expression() const { return expression_; }
    const std::vector<std::string>& parameterNames() const { return names_; }
    std::size_t parameterCount() const { return names_.size(); }

    // values[i] = f(x[i]; parameters) for i < count; parameters holds parameterCount() values.
    void evaluate(const double* parameters, const double* x, std::size_t count, double* values);

private:
    std::string expression_;
    std::vector<std::string> names_;
    // Reserved before the engine is bound to it, and never resized.
    std::vector<double> parameters_;
    double x_ = 0.0;
    std::unique_ptr<CalcParser> engine_;
};
