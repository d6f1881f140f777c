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

// w[n] of window `f` for n = 0 … count−1. The windows divide by count − 1, so fewer than 2
// points, an n outside the window or an `f` outside the enum give 1: no weighting.
double windowValue(WindowFunction f, std::size_t n, std::size_t count);

// Multiplies y[n] by w[n]. Curves of fewer than 2 points, and any `f` outside the enum, leave
// the curve as it is. A gap (NaN) keeps its place in the window and stays a gap.
void applyWindow(WindowFunction f, double* y, std::size_t count);
