#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class FloorFct final : public CalcDefaultFunction<FloorFct, 1> {
public:
    static constexpr CalcItemTexts texts{"floor", "floor", "floor(x)", "Floor"};

    double evaluate(std::int32_t, const double* args) override { return std::floor(args[0]); }
};
