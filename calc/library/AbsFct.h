#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class AbsFct final : public CalcDefaultFunction<AbsFct, 1> {
public:
    static constexpr CalcItemTexts texts{"abs", "abs", "abs(x)", "Absolute value"};

    double evaluate(std::int32_t, const double* args) override { return std::fabs(args[0]); }
};
