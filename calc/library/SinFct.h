#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class SinFct final : public CalcDefaultFunction<SinFct, 1> {
public:
    static constexpr CalcItemTexts texts{"sin", "sin", "sin(rad)", "Sine"};

    double evaluate(std::int32_t, const double* args) override { return std::sin(args[0]); }
};
