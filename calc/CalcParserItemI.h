#pragma once

#include <cstdint>

// Everything an expression can name: operators, functions and variables.
// Returned texts belong to the item and live as long as it does.
class CalcParserItemI {
public:
    virtual const char* id() const { return symbol(); }
    virtual const char* symbol() const = 0;
    virtual const char* helpText() const = 0;
    virtual const char* description() const = 0;
    // True when constant arguments always give the same value, so that the
    // compiler may compute the item once while compiling.
    virtual bool isConstant() const { return true; }
    // args holds argCount values, the first (left) argument at index 0.
    virtual double evaluate(std::int32_t argCount, const double* args) = 0;
    virtual ~CalcParserItemI() = default;
};
