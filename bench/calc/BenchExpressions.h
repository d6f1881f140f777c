#pragma once

#include <array>
#include <cmath>

// The expressions every benchmark of this folder measures, in the engine's
// syntax, as native code, and in the muparser baseline's syntax.
struct BenchExpression {
    const char* text;
    double (*native)(double);
    const char* muparserText;
};

inline const std::array<BenchExpression, 5>& benchExpressions()
{
    static const std::array<BenchExpression, 5> expressions{{
        {"x", [](double x) { return x; }, "x"},
        {"x*x+x", [](double x) { return x * x + x; }, "x*x+x"},
        {"sin(x)*cos(x)+x^2", [](double x) { return std::sin(x) * std::cos(x) + x * x; }, "sin(x)*cos(x)+x^2"},
        {"sqrt(abs(x))+log(x+1)", [](double x) { return std::sqrt(std::fabs(x)) + std::log(x + 1); },
         "sqrt(abs(x))+ln(x+1)"},
        {"min(x,1)+max(x,2,3)+if(x<1,x,2)",
         [](double x) { return std::min(x, 1.0) + std::max(std::max(x, 2.0), 3.0) + (x < 1 ? x : 2.0); },
         "min(x,1)+max(x,2,3)+(x<1?x:2)"},
    }};
    return expressions;
}

// A new value for every call, kept inside every function's domain.
inline double benchValue(long i)
{
    return 0.5 + static_cast<double>(i & 1023) * 1e-3;
}
