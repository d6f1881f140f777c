#pragma once

#include "CalcCompilerStateI.h"
#include "CalcFunctionI.h"

#include <string>

// A function whose one argument is the raw text between its brackets,
// converted to a constant while the expression is compiled. While that text is
// read the function is the compiler's parsing state: operator symbols, "(" and
// the separator are plain characters up to the first ")".
class CalcConvFunctionI : public CalcFunctionI, public CalcCompilerStateI {
public:
    // Throws the engine's exception when the text is not valid.
    virtual double convert(const std::string& text) = 0;

    std::int32_t argCount() const override { return 1; }
    bool isConstant() const override { return true; }
    CalcConvFunctionI* convFunction() override { return this; }
    // The call is replaced by its converted value; running it is never needed.
    double evaluate(std::int32_t, const double*) override { return 0.0; }

    void init(CalcCompilerI& compiler, CalcRegistrarI& registrar) override;
    void onEnd() override;
    bool onChar() override { return false; }
    void onOp(std::string_view symbol) override;
    void onOpenBracket() override;
    void onCloseBracket() override;
    void onArgSeparator() override;

private:
    CalcCompilerI* compiler_ = nullptr;
    std::int32_t bracketPosition_ = 0;
};
