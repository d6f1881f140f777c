#pragma once

#include "CalcDefaultOperator.h"

class MinusOp final : public CalcDefaultOperator<MinusOp, 500, false> {
public:
    static constexpr CalcItemTexts texts{"minus", "-", "x - y", "Minus operator"};

    double evaluate(std::int32_t, const double* args) override { return args[0] - args[1]; }
};
