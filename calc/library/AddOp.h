#pragma once

#include "CalcDefaultOperator.h"

class AddOp final : public CalcDefaultOperator<AddOp, 500, false> {
public:
    static constexpr CalcItemTexts texts{"+", "+", "x + y", "Addition operator"};

    double evaluate(std::int32_t, const double* args) override { return args[0] + args[1]; }
};
