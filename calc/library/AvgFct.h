#pragma once

#include "CalcDefaultFunction.h"

class AvgFct final : public CalcDefaultFunction<AvgFct, CalcFunctionI::anyArgCount> {
public:
    static constexpr CalcItemTexts texts{"avg", "avg", "avg(v1,v2,v3,...)", "Returns the average of a set of values"};

    double evaluate(std::int32_t argCount, const double* args) override
    {
        double sum = 0.0;
        for (std::int32_t i = 0; i < argCount; ++i)
            sum += args[i];
        return sum / argCount;
    }
};
