#pragma once

#include "CalcDefaultFunction.h"

class MinUndefFct final : public CalcDefaultFunction<MinUndefFct, CalcFunctionI::anyArgCount> {
public:
    static constexpr CalcItemTexts texts{"minUndef", "min", "min(v1,v2,v3,...)", "Returns smaller of a set of values"};

    double evaluate(std::int32_t argCount, const double* args) override
    {
        double result = args[0];
        for (std::int32_t i = 1; i < argCount; ++i)
            if (result > args[i])
                result = args[i];
        return result;
    }
};
