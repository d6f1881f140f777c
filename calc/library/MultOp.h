#pragma once

#include "CalcDefaultOperator.h"

class MultOp final : public CalcDefaultOperator<MultOp, 600, false> {
public:
    static constexpr CalcItemTexts texts{"*", "*", "x * y", "Multiplication operator"};

    double evaluate(std::int32_t, const double* args) override { return args[0] * args[1]; }
};
