#include "CalcScienceLibrary.h"

#include "CalcParser.h"
#include "CalcScienceFunction.h"

#include <cmath>
#include <memory>

namespace {

double sign(double x)
{
    if (std::isnan(x))
        return x;
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// The unnormalised cardinal sine, as optics and diffraction use it.
double sinc(double x)
{
    return x == 0.0 ? 1.0 : std::sin(x) / x;
}

using Entry = CalcScienceFunction::Entry;

const Entry kFunctions[] = {
    {"exp", "exp(x)", "Exponential function, e to the power of x", 1,
     [](const double* a) { return std::exp(a[0]); }},
    {"exp2", "exp2(x)", "2 to the power of x", 1, [](const double* a) { return std::exp2(a[0]); }},
    {"expm1", "expm1(x)", "exp(x) - 1, exact also for small x", 1,
     [](const double* a) { return std::expm1(a[0]); }},
    {"log2", "log2(x)", "Base-2 logarithm", 1, [](const double* a) { return std::log2(a[0]); }},
    {"log1p", "log1p(x)", "log(1 + x), exact also for small x", 1,
     [](const double* a) { return std::log1p(a[0]); }},
    {"cbrt", "cbrt(x)", "Cube root, negative for negative x", 1,
     [](const double* a) { return std::cbrt(a[0]); }},
    {"pow", "pow(x,y)", "x to the power of y", 2, [](const double* a) { return std::pow(a[0], a[1]); }},
    {"hypot", "hypot(x,y)", "sqrt(x^2 + y^2) without overflow", 2,
     [](const double* a) { return std::hypot(a[0], a[1]); }},
    {"atan2", "atan2(y,x)", "Angle of the point (x, y), -pi to pi", 2,
     [](const double* a) { return std::atan2(a[0], a[1]); }},
    {"asinh", "asinh(x)", "Inverse hyperbolic sine", 1, [](const double* a) { return std::asinh(a[0]); }},
    {"acosh", "acosh(x)", "Inverse hyperbolic cosine", 1, [](const double* a) { return std::acosh(a[0]); }},
    {"atanh", "atanh(x)", "Inverse hyperbolic tangent", 1, [](const double* a) { return std::atanh(a[0]); }},
    {"erf", "erf(x)", "Error function", 1, [](const double* a) { return std::erf(a[0]); }},
    {"erfc", "erfc(x)", "Complementary error function, 1 - erf(x)", 1,
     [](const double* a) { return std::erfc(a[0]); }},
    {"gamma", "gamma(x)", "Gamma function", 1, [](const double* a) { return std::tgamma(a[0]); }},
    {"lgamma", "lgamma(x)", "Natural logarithm of the absolute gamma function", 1,
     [](const double* a) { return std::lgamma(a[0]); }},
    {"sign", "sign(x)", "-1, 0 or 1 as x is negative, zero or positive", 1,
     [](const double* a) { return sign(a[0]); }},
    {"sinc", "sinc(x)", "Cardinal sine: sin(x)/x, and 1 at 0", 1, [](const double* a) { return sinc(a[0]); }},
    {"trunc", "trunc(x)", "x without its fractional part, rounded toward zero", 1,
     [](const double* a) { return std::trunc(a[0]); }},
    {"fmod", "fmod(x,y)", "Remainder of x/y with the sign of x", 2,
     [](const double* a) { return std::fmod(a[0], a[1]); }},
};

} // namespace

void CalcScienceLibrary::defineConstants(CalcParser& parser)
{
    parser.defineConst("pi", 3.141592653589793);
    parser.defineConst("e", 2.718281828459045);
    parser.defineConst("lg2", 0.6931471805599453);
    parser.defineConst("sr2", 1.4142135623730951);
    parser.defineConst("gamma", 0.5772156649015329);
    parser.defineConst("aperys", 1.2020569031595942);
    parser.defineConst("gr", 1.618033988749895);
}

void CalcScienceLibrary::defineFunctions(CalcParser& parser)
{
    for (const Entry& entry : kFunctions)
        parser.defineFunc(std::make_unique<CalcScienceFunction>(entry));
}
