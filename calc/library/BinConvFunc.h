#pragma once

#include "CalcDefaultConvFunction.h"

class BinConvFunc final : public CalcDefaultConvFunction<BinConvFunc, 2> {
public:
    static constexpr CalcItemTexts texts{"bin", "bin", "bin(binNumber)",
                                         "Converts a binary number to a decimal number"};
};
