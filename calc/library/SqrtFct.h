#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class SqrtFct final : public CalcDefaultFunction<SqrtFct, 1> {
public:
    static constexpr CalcItemTexts texts{"sqrt", "sqrt", "sqrt(x)", "Square root"};

    double evaluate(std::int32_t, const double* args) override { return std::sqrt(args[0]); }
};
