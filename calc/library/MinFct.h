#pragma once

#include "CalcDefaultFunction.h"

class MinFct final : public CalcDefaultFunction<MinFct, 2> {
public:
    static constexpr CalcItemTexts texts{"min2", "min", "min(x,y)", "Returns smaller of two values"};

    double evaluate(std::int32_t, const double* args) override
    {
        return args[1] > args[0] ? args[0] : args[1];
    }
};
