#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class IsFiniteFct final : public CalcDefaultFunction<IsFiniteFct, 1> {
public:
    static constexpr CalcItemTexts texts{"isFinite", "isFinite", "isFinite(value)", "Returns 1 if the number is finite."};

    double evaluate(std::int32_t, const double* args) override
    {
        return std::isfinite(args[0]) ? 1.0 : 0.0;
    }
};
