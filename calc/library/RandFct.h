#pragma once

#include "CalcDefaultFunction.h"
#include "CalcRandomGenerator.h"

class RandFct final : public CalcDefaultFunction<RandFct, 0> {
public:
    static constexpr CalcItemTexts texts{"rand0", "rand", "rand()", "Random value between 0 and 1"};

    // A new value at every evaluation, so never computed at compile time.
    bool isConstant() const override { return false; }
    double evaluate(std::int32_t, const double*) override
    {
        return static_cast<double>(CalcRandomGenerator::next()) / CalcRandomGenerator::maxValue;
    }
};
