#pragma once

#include "CalcParserItemI.h"

#include <memory>

// A named value read afresh at every evaluation; never folded.
class CalcVariableI : public CalcParserItemI {
public:
    const char* helpText() const override { return ""; }
    const char* description() const override { return ""; }
    bool isConstant() const override { return false; }
    // A copy with the same name and the same value source.
    virtual std::unique_ptr<CalcVariableI> spawn() const = 0;
    // The one double evaluate always returns, for variables that do nothing
    // else; the program then reads it without a call. Null by default.
    virtual const double* directValue() const { return nullptr; }
};
