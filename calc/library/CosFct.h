#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class CosFct final : public CalcDefaultFunction<CosFct, 1> {
public:
    static constexpr CalcItemTexts texts{"cos", "cos", "cos(rad)", "Cosine"};

    double evaluate(std::int32_t, const double* args) override { return std::cos(args[0]); }
};
