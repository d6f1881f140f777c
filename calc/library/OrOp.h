#pragma once

#include "CalcDefaultOperator.h"

class OrOp final : public CalcDefaultOperator<OrOp, 100, false> {
public:
    static constexpr CalcItemTexts texts{"|", "|", "x | y", "Or logical operator.  Returns 1 if true, 0 if false."};

    double evaluate(std::int32_t, const double* args) override
    {
        // Any value other than 0 is true, NaN included.
        return args[0] != 0.0 || args[1] != 0.0 ? 1.0 : 0.0;
    }
};
