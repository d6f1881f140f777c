#include "SpectrumInput.h"

#include <cmath>
#include <stdexcept>
#include <string>

void checkSpectrumInput(const double* y, std::size_t count, double fs, std::size_t length)
{
    if (count < 2)
        throw std::invalid_argument("A spectrum needs at least 2 points.");
    if (length < 2 || length > count) {
        throw std::invalid_argument("The segment length must be between 2 and the number of "
                                    "points (" + std::to_string(count) + ").");
    }
    if (!(fs > 0.0) || !std::isfinite(fs))
        throw std::invalid_argument("The sampling rate must be a positive number.");
    for (std::size_t i = 0; i < count; ++i) {
        if (std::isnan(y[i])) {
            throw std::invalid_argument("The curve has a gap at point " + std::to_string(i + 1) +
                                        ": a spectrum needs evenly spaced values without gaps.");
        }
        if (std::isinf(y[i])) {
            throw std::invalid_argument("The curve has an infinite value at point " +
                                        std::to_string(i + 1) + ".");
        }
    }
}
