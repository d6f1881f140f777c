#pragma once

#include "CalcDefaultOperator.h"

class GreaterEqualThanOp final : public CalcDefaultOperator<GreaterEqualThanOp, 400, false> {
public:
    static constexpr CalcItemTexts texts{">=", ">=", "x >= y", "Greater than or equal logical operator.  Returns 1 if true, 0 if false."};

    double evaluate(std::int32_t, const double* args) override { return args[0] >= args[1] ? 1.0 : 0.0; }
};
