#pragma once

#include "CalcDefaultConvFunction.h"

class HexConvFunc final : public CalcDefaultConvFunction<HexConvFunc, 16> {
public:
    static constexpr CalcItemTexts texts{"hex", "hex", "hex(hexNumber)",
                                         "Converts an hexadecimal number to a decimal number"};
};
