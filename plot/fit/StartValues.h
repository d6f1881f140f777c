#pragma once

#include <vector>

class FitData;

// Start values for the built-in models, guessed from the data so that the solver begins in
// the valley of the solution. Each returns the values in the order of the model's
// parameters (see BuiltinModel) and any data of at least one point gives finite values;
// they need not be good, only good enough. May throw std::bad_alloc.
class StartValues {
public:
    // a*exp(b*x) + c: b and c from the integral equation y - y0 = b*Integral(y) - b*c*(x - x0),
    // which is linear in them, then a by linear regression on exp(b*x).
    static std::vector<double> exponential(const FitData& data);
    // a*exp(-(x-b)^2/(2*c^2)) + d and a/(1+((x-b)/c)^2) + d: the median as the baseline d, the
    // point farthest from it as the peak, and its full width at half height.
    static std::vector<double> gauss(const FitData& data);
    static std::vector<double> lorentz(const FitData& data);
    // a*sin(2*pi*f*x + phi) + c: f from the strongest bin of the data's spectrum, refined
    // between bins; a and phi from projecting the data onto sine and cosine at f.
    static std::vector<double> sine(const FitData& data);
    // a*x^b: a straight line through log|y| over log x, on the points with x > 0.
    static std::vector<double> power(const FitData& data);
    // a/(1+exp(-b*(x-c))) + d: d and a from the range of y, c where y crosses the middle and
    // b from the distance between the quarter and three-quarter crossings.
    static std::vector<double> logistic(const FitData& data);
};
