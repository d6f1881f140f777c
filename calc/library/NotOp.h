#pragma once

#include "CalcDefaultOperator.h"

class NotOp final : public CalcDefaultOperator<NotOp, 800, true> {
public:
    static constexpr CalcItemTexts texts{"!", "!", "!x", "Not logical operator. Returns 1 if x is 0, else returns 1"};

    double evaluate(std::int32_t, const double* args) override
    {
        // Any value other than 0 is true, NaN included.
        return args[0] != 0.0 ? 0.0 : 1.0;
    }
};
