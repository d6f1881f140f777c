#include "Levels.h"

#include <cmath>

void shiftByMinimum(double* y, std::size_t count, double minimum)
{
    // Adding |minimum| rather than subtracting the minimum: for a negative minimum both are
    // the same, and min + |min| is exactly 0 in floating point.
    const double lift = std::abs(minimum);
    for (std::size_t i = 0; i < count; ++i)
        y[i] += lift;
}

void toDecibels(double* y, std::size_t count, double minimum)
{
    const double offset = minimum == 0.0 ? 1.0 : 0.0;
    for (std::size_t i = 0; i < count; ++i)
        y[i] = 20.0 * std::log10(y[i] + offset);
}
