#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class CeilFct final : public CalcDefaultFunction<CeilFct, 1> {
public:
    static constexpr CalcItemTexts texts{"ceil", "ceil", "ceil(x)", "Ceiling"};

    double evaluate(std::int32_t, const double* args) override { return std::ceil(args[0]); }
};
