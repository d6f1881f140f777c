#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class LogFct final : public CalcDefaultFunction<LogFct, 1> {
public:
    static constexpr CalcItemTexts texts{"log", "log", "log(x)", "Natural logarithm"};

    double evaluate(std::int32_t, const double* args) override { return std::log(args[0]); }
};
