#pragma once

#include "CalcConvFunctionI.h"
#include "CalcError.h"
#include "CalcItemTexts.h"

#include <memory>
#include <string>

// Base of the default conversion functions: the raw text is a whole number in
// Base, written with digits 0-9 and letters A-Z (either case), most
// significant digit first. An empty text is 0.
template <class Derived, int Base>
class CalcDefaultConvFunction : public CalcConvFunctionI {
public:
    const char* id() const override { return Derived::texts.id; }
    const char* symbol() const override { return Derived::texts.symbol; }
    const char* helpText() const override { return Derived::texts.helpText; }
    const char* description() const override { return Derived::texts.description; }
    std::unique_ptr<CalcFunctionI> spawn() const override { return std::make_unique<Derived>(); }

    double convert(const std::string& text) override
    {
        double value = 0.0;
        for (char c : text) {
            const int digit = digitValue(c);
            if (digit < 0 || digit >= Base)
                CalcError::raise(__LINE__, "CalcParserCompiler",
                                 CalcExcepData("CALCPARSINGEXCEP_InvalidFuncSyntax",
                                               {{"itemName", symbol()}, {"param1", "1"}}));
            value = value * Base + digit;
        }
        return value;
    }

private:
    static int digitValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'Z')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 10;
        return -1;
    }
};
