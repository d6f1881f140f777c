#pragma once

#include "CalcDefaultFunction.h"

class IfFct final : public CalcDefaultFunction<IfFct, 3> {
public:
    static constexpr CalcItemTexts texts{"if", "if", "if(condition, val1, val2)", "If the condition is true, returns val1 else returns val2."};

    double evaluate(std::int32_t, const double* args) override
    {
        // Any value other than 0 is true, NaN included.
        return args[0] != 0.0 ? args[1] : args[2];
    }
};
