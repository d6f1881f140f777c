#pragma once

#include "CalcSyntax.h"

#include <string>
#include <vector>

// A macro's prototype taken apart: "f(a, b)" names the function f of two
// arguments a and b. Every argument name must be one a default engine would
// accept for a variable, and no name may repeat.
class CalcMacroPrototype {
public:
    // Throws "CALCDEFEXCEP_MacroProtoSyntax" with "pos" counted in the text as
    // given, blanks included; a refused argument name adds that record to the
    // chain of the variable rule that refused it.
    static CalcMacroPrototype parse(const std::string& prototype, CalcSyntax syntax);

    const std::string& name() const { return name_; }
    const std::vector<std::string>& argNames() const { return argNames_; }
    // "f(a, b)": the separator and one blank between the arguments.
    std::string helpText(char separator) const;

private:
    std::string name_;
    std::vector<std::string> argNames_;
};
