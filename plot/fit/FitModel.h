#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CalcBlockEvaluator;
class CalcParser;

// A model y = f(x; parameters) written as an expression of the engine: x is the variable,
// the constants and functions are those of Math scripts (pi, e, gamma, exp, erf, ...), and
// every other name is a parameter, in the order of its first use: "a*exp(-b*x)+c" has the
// parameters a, b and c.
//
// The expression is compiled once for each set of parameter values, with the parameters as
// constants: what depends on them alone (2*c^2, 2*pi*f) is then computed while compiling,
// once, instead of at every point, and no point fetches a parameter. A fit evaluates each
// set over all points, so the compile is paid once per pass, and runs the program over blocks
// of points (CalcBlockEvaluator), which gives the engine's values to the bit in a fraction
// of its time per point.
//
// The engine reads x from this object's own storage, so it is neither copied nor moved.
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
    // Allocates only to compile for parameter values other than the last ones; may throw
    // std::bad_alloc then.
    void evaluate(const double* parameters, const double* x, std::size_t count, double* values);

private:
    void compileFor(const double* parameters);

    std::string expression_;
    std::vector<std::string> names_;
    // The values the program was last compiled for; empty before the first compile.
    std::vector<double> compiledFor_;
    // Parameters defined as constants, from the first: a compile that failed half-way leaves
    // the next one to remove what it defined.
    std::size_t definedConstants_ = 0;
    double x_ = 0.0;
    std::unique_ptr<CalcParser> engine_;
    // Over the program compiled last; null while there is none.
    std::unique_ptr<CalcBlockEvaluator> blocks_;
};
