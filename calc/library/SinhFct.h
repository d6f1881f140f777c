#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class SinhFct final : public CalcDefaultFunction<SinhFct, 1> {
public:
    static constexpr CalcItemTexts texts{"sinh", "sinh", "sinh(rad)", "Hyperbolic sine"};

    double evaluate(std::int32_t, const double* args) override { return std::sinh(args[0]); }
};
