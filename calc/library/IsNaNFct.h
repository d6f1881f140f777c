#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class IsNaNFct final : public CalcDefaultFunction<IsNaNFct, 1> {
public:
    static constexpr CalcItemTexts texts{"isNaN", "isNaN", "isNan(value)", "Returns 1 if the number is a NaN value."};

    double evaluate(std::int32_t, const double* args) override
    {
        return std::isnan(args[0]) ? 1.0 : 0.0;
    }
};
