#include "CalcFunctionInfo.h"

std::string CalcFunctionInfo::helpText(CalcSyntax syntax) const
{
    std::string help = symbol + "(";
    for (std::size_t i = 0; i < argNames.size(); ++i) {
        if (i > 0)
            help += std::string(1, syntax.argSeparator) + " ";
        help += argNames[i];
    }
    return help + ")";
}
