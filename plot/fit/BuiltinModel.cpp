#include "BuiltinModel.h"

#include "FitError.h"
#include "PolynomialFit.h"
#include "StartValues.h"

#include <cctype>

namespace {

struct Nonlinear {
    const char* name;
    const char* expression;
    std::vector<double> (*guess)(const FitData&);
};

const Nonlinear kNonlinear[] = {
    {"exp", "a*exp(b*x) + c", StartValues::exponential},
    {"gauss", "a*exp(-((x-b)^2/(2*c^2))) + d", StartValues::gauss},
    {"lorentz", "a/(1+((x-b)/c)^2) + d", StartValues::lorentz},
    {"sine", "a*sin(2*pi*f*x + phi) + c", StartValues::sine},
    {"power", "a*x^b", StartValues::power},
    {"logistic", "a/(1+exp(-b*(x-c))) + d", StartValues::logistic},
};

const char* const kPolyPrefix = "poly:";

// The degree written after "poly:", or 0 when the rest is no plain decimal number.
int polyDegree(const std::string& name)
{
    const std::string digits = name.substr(std::string(kPolyPrefix).size());
    if (digits.empty() || digits.size() > 2)
        return 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0;
    }
    return std::stoi(digits);
}

} // namespace

BuiltinModel::BuiltinModel(std::string name, std::string expression, int degree, Guess guess)
    : name_(std::move(name))
    , expression_(std::move(expression))
    , degree_(degree)
    , guess_(guess)
{
}

BuiltinModel BuiltinModel::named(const std::string& name)
{
    if (name == "line")
        return BuiltinModel(name, PolynomialFit(1).expression(), 1, nullptr);
    if (name.rfind(kPolyPrefix, 0) == 0) {
        const int degree = polyDegree(name);
        if (degree < 1 || degree > PolynomialFit::maxDegree)
            throw FitError("\"" + name + "\" names no polynomial: write poly:N with N from 1 to " +
                           std::to_string(PolynomialFit::maxDegree) + ".");
        return BuiltinModel(name, PolynomialFit(degree).expression(), degree, nullptr);
    }
    for (const Nonlinear& model : kNonlinear) {
        if (name == model.name)
            return BuiltinModel(name, model.expression, 0, model.guess);
    }
    throw FitError("\"" + name + "\" is no built-in model.");
}

std::vector<std::string> BuiltinModel::names()
{
    std::vector<std::string> all{"line", "poly:N"};
    for (const Nonlinear& model : kNonlinear)
        all.emplace_back(model.name);
    return all;
}

std::vector<double> BuiltinModel::startValues(const FitData& data) const
{
    if (!guess_)
        return std::vector<double>(std::size_t(degree_) + 1, 0.0);
    return guess_(data);
}
