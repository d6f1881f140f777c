#pragma once

#include "CalcDefaultFunction.h"

class SumFct final : public CalcDefaultFunction<SumFct, CalcFunctionI::anyArgCount> {
public:
    static constexpr CalcItemTexts texts{"sum", "sum", "sum(v1,v2,v3,...)", "Returns the sum of a set of values"};

    double evaluate(std::int32_t argCount, const double* args) override
    {
        double sum = 0.0;
        for (std::int32_t i = 0; i < argCount; ++i)
            sum += args[i];
        return sum;
    }
};
