#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class ArcTanFct final : public CalcDefaultFunction<ArcTanFct, 1> {
public:
    static constexpr CalcItemTexts texts{"atan", "atan", "atan(rad)", "Arctangent"};

    double evaluate(std::int32_t, const double* args) override { return std::atan(args[0]); }
};
