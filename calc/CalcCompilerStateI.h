#pragma once

#include <string_view>

class CalcCompilerI;
class CalcRegistrarI;

// The compiler's replaceable reaction to what its scanner meets. Handlers read
// the current position and token through the compiler.
class CalcCompilerStateI {
public:
    // Called when the state becomes current.
    virtual void init(CalcCompilerI& compiler, CalcRegistrarI& registrar) = 0;
    // The end of the text was reached while this state is current.
    virtual void onEnd() = 0;
    // Offered every character first; true means consumed.
    virtual bool onChar() = 0;
    // An operator symbol starts at the current position.
    virtual void onOp(std::string_view symbol) = 0;
    virtual void onOpenBracket() = 0;
    virtual void onCloseBracket() = 0;
    virtual void onArgSeparator() = 0;
    virtual ~CalcCompilerStateI() = default;
};
