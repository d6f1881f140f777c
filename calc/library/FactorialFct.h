#pragma once

#include "CalcDefaultFunction.h"

#include <cmath>

class FactorialFct final : public CalcDefaultFunction<FactorialFct, 1> {
public:
    static constexpr CalcItemTexts texts{"fact", "fact", "fact(x)",
                                         "Returns the factorial of x: x*(x-1)*(x-2)*...(x-x+1)"};

    // The largest n whose factorial is a finite double.
    static constexpr double largestFinite = 170.0;

    // n is x truncated toward zero; the product is formed in doubles, so it
    // never wraps, and a huge n costs no time.
    double evaluate(std::int32_t, const double* args) override
    {
        const double n = std::trunc(args[0]);
        if (std::isnan(n))
            return n;
        if (n <= 0.0)
            return 1.0;
        if (n > largestFinite)
            return HUGE_VAL;
        double product = 1.0;
        for (double k = n; k > 1.0; k -= 1.0)
            product *= k;
        return product;
    }
};
