#pragma once

#include <cmath>
#include <random>
#include <vector>

// Samples at 41 levels, so that many share a pixel, with a gap now and then.
inline std::vector<double> noisySamples(std::size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> level(-20, 20);
    std::vector<double> y(count);
    for (std::size_t i = 0; i < count; ++i)
        y[i] = level(random) * 0.5;
    for (std::size_t i = 700; i < count; i += 4099)
        y[i] = NAN;
    return y;
}
