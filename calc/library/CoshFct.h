#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class CoshFct final : public CalcDefaultFunction<CoshFct, 1> {
public:
    static constexpr CalcItemTexts texts{"cosh", "cosh", "cosh(rad)", "Hyperbolic cosine"};

    double evaluate(std::int32_t, const double* args) override { return std::cosh(args[0]); }
};
