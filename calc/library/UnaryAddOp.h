#pragma once

#include "CalcDefaultOperator.h"

class UnaryAddOp final : public CalcDefaultOperator<UnaryAddOp, 800, true> {
public:
    static constexpr CalcItemTexts texts{"unaryAdd", "+", "+x", "Unary addition operator"};

    double evaluate(std::int32_t, const double* args) override { return args[0]; }
};
