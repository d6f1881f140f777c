#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class ArcSinFct final : public CalcDefaultFunction<ArcSinFct, 1> {
public:
    static constexpr CalcItemTexts texts{"asin", "asin", "asin(rad)", "Arcsine"};

    double evaluate(std::int32_t, const double* args) override { return std::asin(args[0]); }
};
