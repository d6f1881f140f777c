#pragma once

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

// Points for the filters' tests: evenly numbered x unless told, y from a fixed random seed.
struct FilterTestData {
    std::vector<double> x;
    std::vector<double> y;

    static FilterTestData random(std::size_t n, unsigned seed = 3)
    {
        FilterTestData d;
        std::mt19937 generator(seed);
        std::uniform_real_distribution<double> value(-10, 10);
        for (std::size_t i = 0; i < n; ++i) {
            d.x.push_back(double(i));
            d.y.push_back(value(generator));
        }
        return d;
    }

    // x steps of 0.5 to 1.5 times `step`, starting at `start`.
    static std::vector<double> unevenX(std::size_t n, double start = 0, double step = 1, unsigned seed = 9)
    {
        std::mt19937 generator(seed);
        std::uniform_real_distribution<double> factor(0.5, 1.5);
        std::vector<double> x(n);
        for (std::size_t i = 0; i < n; ++i)
            x[i] = i == 0 ? start : x[i - 1] + step * factor(generator);
        return x;
    }
};

// Both NaN, or equal within `tolerance`.
inline bool sameOrBothNaN(double a, double b, double tolerance)
{
    return (std::isnan(a) && std::isnan(b)) || std::abs(a - b) <= tolerance;
}
