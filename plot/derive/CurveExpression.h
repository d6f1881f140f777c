#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CalcParser;

// An expression over curves, written with the engine: cN is the curve with identifier N and yN
// the same curve, x is the x of the result, and the constants and functions are those of Math
// scripts ("c0 - c1", "sqrt(c0^2 + c1^2)", "c2 * 1000", "sin(2*pi*x)").
//
// The result has the x of the first curve named (or of a curve the caller chooses when none
// is named). A curve with exactly that x is read point by point; any other is interpolated
// linearly onto it (LinearInterpolation.h), so outside its x range it has no value and the
// result there is NaN, a gap.
//
// Compiled once, then evaluated at every point. The engine reads x and the curves' values from
// this object's own storage, so it is neither copied nor moved.
class CurveExpression
{
public:
    // A curve's samples, read where they are.
    struct Curve {
        const double* x = nullptr;
        const double* y = nullptr;
        std::size_t count = 0;
    };
    // Fills `curve` and returns true when there is a curve `id`.
    using Lookup = std::function<bool(int id, Curve& curve)>;

    // Throws std::invalid_argument with a message for the user when the expression does not
    // parse or names something that is neither a curve, x, a constant nor a function; may
    // throw std::bad_alloc.
    explicit CurveExpression(const std::string& expression);
    ~CurveExpression();
    CurveExpression(const CurveExpression&) = delete;
    CurveExpression& operator=(const CurveExpression&) = delete;

    const std::string& expression() const { return text; }
    // The identifiers of the curves named, in the order of their first use; each once.
    const std::vector<int>& curves() const { return ids; }

    // The curve whose x the result takes: the first curve named, else `unnamed`.
    int baseCurve(int unnamed) const { return ids.empty() ? unnamed : ids.front(); }
    // The y of the result at every x of curve baseCurve(unnamed). Throws std::invalid_argument
    // when a curve it needs is not there, or has to be interpolated but its x decreases; may
    // throw std::bad_alloc.
    std::vector<double> evaluate(const Lookup& lookup, int unnamed);

private:
    std::string missing(int id) const;
    // Where each named variable reads its value: a curve's y itself or its values at the base's x.
    std::vector<const double*> sources(const Lookup& lookup, const Curve& base,
                                       std::vector<std::vector<double>>& interpolated) const;

    std::string text;
    std::vector<int> ids;
    // For each variable the engine reads, its curve's place in `ids`; the values go to `slotValues`.
    std::vector<std::size_t> slotCurve;
    std::vector<double> slotValues;
    double x = 0;
    std::unique_ptr<CalcParser> engine;
};
