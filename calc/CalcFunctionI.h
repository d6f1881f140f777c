#pragma once

#include "CalcParserItemI.h"

#include <memory>

class CalcCompilerI;
class CalcConvFunctionI;
class CalcRegistrarI;

class CalcFunctionI : public CalcParserItemI {
public:
    // The number of arguments; anyArgCount means any number of at least one.
    static constexpr std::int32_t anyArgCount = -1;

    virtual std::int32_t argCount() const = 0;
    // Non-null only for functions whose argument is raw text.
    virtual CalcConvFunctionI* convFunction() { return nullptr; }
    // Called each time a call of the function is placed into a program.
    virtual void prepare(CalcCompilerI& compiler, CalcRegistrarI& registrar);
    virtual std::unique_ptr<CalcFunctionI> spawn() const = 0;
};
