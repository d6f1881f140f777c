#pragma once

#include "CalcDefaultOperator.h"

class DivOp final : public CalcDefaultOperator<DivOp, 600, false> {
public:
    static constexpr CalcItemTexts texts{"/", "/", "x / y", "Division operator"};

    double evaluate(std::int32_t, const double* args) override { return args[0] / args[1]; }
};
