#pragma once

#include "CalcDefaultOperator.h"

#include <cmath>

class ExpOp final : public CalcDefaultOperator<ExpOp, 700, false> {
public:
    static constexpr CalcItemTexts texts{"^", "^", "x ^ y", "Power operator. Calculates x raised to the power of y"};

    double evaluate(std::int32_t, const double* args) override
    {
        // Squaring is exact and fast; every other exponent, 2.5 included, is pow's.
        return args[1] == 2.0 ? args[0] * args[0] : std::pow(args[0], args[1]);
    }
};
