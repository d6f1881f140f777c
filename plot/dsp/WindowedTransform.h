#pragma once

#include <complex>
#include <vector>

class SpectralWindow;

// The unscaled transform of window·y, bins 0 … N/2, N = window.size() values of y.
std::vector<std::complex<double>> windowedTransform(const double* y, const SpectralWindow& window);
