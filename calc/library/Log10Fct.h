#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class Log10Fct final : public CalcDefaultFunction<Log10Fct, 1> {
public:
    static constexpr CalcItemTexts texts{"log10", "log10", "log10(x)", "Base-10 logarithm"};

    double evaluate(std::int32_t, const double* args) override { return std::log10(args[0]); }
};
