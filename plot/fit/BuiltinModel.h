#pragma once

#include <string>
#include <vector>

class FitData;

// A model chosen by name, with start values guessed from the data:
//   line       a0 + a1*x
//   poly:N     a0 + a1*x + ... + aN*x^N, N = 1 ... 10
//   exp        a*exp(b*x) + c
//   gauss      a*exp(-((x-b)^2/(2*c^2))) + d
//   lorentz    a/(1+((x-b)/c)^2) + d
//   sine       a*sin(2*pi*f*x + phi) + c
//   power      a*x^b
//   logistic   a/(1+exp(-b*(x-c))) + d
// Line and polynomials are linear in their parameters and need no start values.
class BuiltinModel {
public:
    // Throws FitError for a name that is none of the above.
    static BuiltinModel named(const std::string& name);
    // Every name, the polynomial as "poly:N".
    static std::vector<std::string> names();

    const std::string& name() const { return name_; }
    const std::string& expression() const { return expression_; }
    // The polynomial degree of line (1) and poly:N, 0 for the other models.
    int degree() const { return degree_; }
    // One value per parameter, in the expression's order. May throw std::bad_alloc.
    std::vector<double> startValues(const FitData& data) const;

private:
    using Guess = std::vector<double> (*)(const FitData&);

    BuiltinModel(std::string name, std::string expression, int degree, Guess guess);

    std::string name_;
    std::string expression_;
    int degree_ = 0;
    Guess guess_ = nullptr;
};
