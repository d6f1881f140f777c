#pragma once

#include "CalcDefaultOperator.h"

#include <cmath>

class ModuloOp final : public CalcDefaultOperator<ModuloOp, 600, false> {
public:
    static constexpr CalcItemTexts texts{"%", "%", "x % y", "Modulo; find remainder of the division of x by y"};

    double evaluate(std::int32_t, const double* args) override { return std::fmod(args[0], args[1]); }
};
