#pragma once

#include "CalcDefaultFunction.h"

class Min3Fct final : public CalcDefaultFunction<Min3Fct, 3> {
public:
    static constexpr CalcItemTexts texts{"min3", "min", "min(x,y,z)", "Returns smaller of three values"};

    double evaluate(std::int32_t, const double* args) override
    {
        const double m = args[1] > args[0] ? args[0] : args[1];
        return args[2] > m ? m : args[2];
    }
};
