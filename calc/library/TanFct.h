#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class TanFct final : public CalcDefaultFunction<TanFct, 1> {
public:
    static constexpr CalcItemTexts texts{"tan", "tan", "tan(rad)", "Tangent"};

    double evaluate(std::int32_t, const double* args) override { return std::tan(args[0]); }
};
