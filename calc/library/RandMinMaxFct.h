#pragma once

#include "CalcDefaultFunction.h"
#include "CalcRandomGenerator.h"

class RandMinMaxFct final : public CalcDefaultFunction<RandMinMaxFct, 2> {
public:
    static constexpr CalcItemTexts texts{"rand2", "rand", "rand(min, max)", "Random value between min and max"};

    // A new value at every evaluation, so never computed at compile time.
    bool isConstant() const override { return false; }
    double evaluate(std::int32_t, const double* args) override
    {
        const double unit = static_cast<double>(CalcRandomGenerator::next()) / CalcRandomGenerator::maxValue;
        return args[0] + unit * (args[1] - args[0]);
    }
};
