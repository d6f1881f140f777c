#pragma once

#include <cstddef>

// The window functions the Fourier transform offers, in the order the tool panel lists them.
enum class WindowFunction {
    Triangular,
    Welch,
    Sine,
    Hann,
    Hamming,
    Blackman,
    Nuttall,
    BlackmanNuttall,
    BlackmanHarris,
    FlatTop,
    Gaussian,
};

constexpr std::size_t kWindowFunctionCount = 11;

// The name the user sees; null outside the list.
const char* windowFunctionName(std::size_t index);
