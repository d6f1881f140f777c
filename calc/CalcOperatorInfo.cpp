#include "CalcOperatorInfo.h"

std::string CalcOperatorInfo::helpText() const
{
    if (argNames.size() == 1)
        return symbol + argNames[0];
    if (argNames.size() == 2)
        return argNames[0] + symbol + argNames[1];
    return symbol;
}
