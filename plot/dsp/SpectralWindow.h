#pragma once

#include <complex>
#include <cstddef>
#include <string>
#include <vector>

// The windows of spectral analysis: the eleven windows of WindowFunction in their periodic
// form (the formula with N in place of N - 1; the flat top keeps its unnormalised
// coefficients) plus the rectangular window, index 11. A periodic window tiles without a
// repeated end point, so its transform is known in closed form on and between the bins.
constexpr std::size_t kSpectralWindowCount = 12;

// "Rectangular" at 11, else as windowFunctionName; null outside the list.
const char* spectralWindowName(std::size_t index);

// Index of a name, case- and blank-insensitive ("blackmanharris", "Flat top", "hann"); -1 if
// none.
int spectralWindowIndex(const std::string& name);

class SpectralWindow
{
public:
    // length >= 1 (0 is taken as 1); an index outside the list gives the rectangular window.
    SpectralWindow(std::size_t index, std::size_t length);

    std::size_t index() const;
    std::size_t size() const;
    const std::vector<double>& values() const;

    // S1 = Σ w
    double sum() const;
    // S2 = Σ w²
    double sumOfSquares() const;
    // Equivalent noise bandwidth in bins: N·S2/S1².
    double noiseBandwidth() const;
    // Half width of the main lobe in bins (rounded up), the bins either side of a tone that
    // belong to it when figures exclude a tone.
    int mainLobeHalfWidth() const;
    // The window's transform at a fractional bin offset delta: Σ w[n]·e^(−2πi·delta·n/N)
    // (closed form for the cosine-sum windows, a direct sum for the others).
    std::complex<double> kernel(double delta) const;

private:
    std::size_t index_ = 0;
    std::vector<double> values_;
    // The cosine-sum coefficients a_k with their signs, empty for the other windows.
    std::vector<double> cosineTerms_;
    double sum_ = 0;
    double sumOfSquares_ = 0;
};
