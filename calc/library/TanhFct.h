#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class TanhFct final : public CalcDefaultFunction<TanhFct, 1> {
public:
    static constexpr CalcItemTexts texts{"tanh", "tanh", "tanh(rad)", "Hyperbolic tangent"};

    double evaluate(std::int32_t, const double* args) override { return std::tanh(args[0]); }
};
