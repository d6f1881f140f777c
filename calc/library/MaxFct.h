#pragma once

#include "CalcDefaultFunction.h"

class MaxFct final : public CalcDefaultFunction<MaxFct, 2> {
public:
    static constexpr CalcItemTexts texts{"max2", "max", "max(x,y)", "Returns larger of two values"};

    double evaluate(std::int32_t, const double* args) override
    {
        return args[0] > args[1] ? args[0] : args[1];
    }
};
