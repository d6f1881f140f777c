#pragma once

#include "CalcParserCompiler.h"
#include "CalcVariableI.h"

// Stands for a variable inside a program: it reads the value that the
// variable's fetch record took at the start of the evaluation.
class CalcParserCompiler::CalcVarStub final : public CalcVariableI {
public:
    void bind(const double* value) { value_ = value; }

    const char* symbol() const override { return ""; }
    double evaluate(std::int32_t, const double*) override { return *value_; }
    // An unbound copy reads NaN rather than memory it was never given.
    std::unique_ptr<CalcVariableI> spawn() const override;

private:
    static const double unbound;
    const double* value_ = &unbound;
};
