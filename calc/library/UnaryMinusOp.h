#pragma once

#include "CalcDefaultOperator.h"

class UnaryMinusOp final : public CalcDefaultOperator<UnaryMinusOp, 800, true> {
public:
    static constexpr CalcItemTexts texts{"unaryMinus", "-", "-x", "Unary minus operator"};

    double evaluate(std::int32_t, const double* args) override { return -args[0]; }
};
