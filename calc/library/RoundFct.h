#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class RoundFct final : public CalcDefaultFunction<RoundFct, 1> {
public:
    static constexpr CalcItemTexts texts{"round", "round", "round(x)", "Round the fractional part of a number"};

    double evaluate(std::int32_t, const double* args) override
    {
        // Halves go away from zero; the value is never narrowed to an integer.
        return std::round(args[0]);
    }
};
