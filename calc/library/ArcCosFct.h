#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class ArcCosFct final : public CalcDefaultFunction<ArcCosFct, 1> {
public:
    static constexpr CalcItemTexts texts{"acos", "acos", "acos(rad)", "Arccosine"};

    double evaluate(std::int32_t, const double* args) override { return std::acos(args[0]); }
};
