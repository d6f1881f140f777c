#pragma once

#include "CalcDefaultFunction.h"

class Max3Fct final : public CalcDefaultFunction<Max3Fct, 3> {
public:
    static constexpr CalcItemTexts texts{"max3", "max", "max(x,y,z)", "Returns larger of three values"};

    double evaluate(std::int32_t, const double* args) override
    {
        const double m = args[0] > args[1] ? args[0] : args[1];
        return args[2] < m ? m : args[2];
    }
};
