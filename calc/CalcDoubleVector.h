#pragma once

#include "CalcVariableI.h"

#include <cstdint>
#include <memory>
#include <string>

// A variable that steps through an array of the caller's, one element per
// evaluation, wrapping at the end; with evaluateBatch each evaluation takes
// the next element.
class CalcDoubleVector final : public CalcVariableI {
public:
    // The array is not copied; it must outlive the variable.
    CalcDoubleVector(std::string name, const double* values, std::uint32_t count);

    const char* symbol() const override { return name_.c_str(); }
    // An empty array gives NaN.
    double evaluate(std::int32_t argCount, const double* args) override;
    // Same array, cursor at the start.
    std::unique_ptr<CalcVariableI> spawn() const override;

    void reset() { cursor_ = 0; }

private:
    std::string name_;
    const double* values_;
    std::uint32_t count_;
    std::uint32_t cursor_ = 0;
};
