#pragma once

#include <cstddef>
#include <vector>

// A one-sided spectrum: frequencies in x, levels in y, and how many segments were averaged.
struct Spectrum {
    std::vector<double> x;
    std::vector<double> y;
    std::size_t segments = 0;
};
