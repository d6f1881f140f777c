#pragma once

#include "CalcParser.h"
#include "CalcVariableI.h"

#include <memory>
#include <string>

// A variable that reads a double in memory: the caller's, or its own.
class CalcParser::MemVariableEvaluator final : public CalcVariableI {
public:
    // Reads its own double, which starts at 0.
    explicit MemVariableEvaluator(std::string name);
    // Reads *value; a null pointer means its own double instead.
    MemVariableEvaluator(std::string name, double* value);

    const char* symbol() const override { return name_.c_str(); }
    double evaluate(std::int32_t, const double*) override { return *value_; }
    // A copy of a variable with its own double gets a double of its own with
    // the same value, so that it never outlives what it reads.
    std::unique_ptr<CalcVariableI> spawn() const override;
    const double* directValue() const override { return value_; }

    // Lets the owner of an automatically defined variable set its value.
    double* valueAddress() { return value_; }

private:
    std::string name_;
    double own_ = 0.0;
    double* value_;
};
