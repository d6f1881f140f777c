#include "WindowedTransform.h"

#include "RealFft.h"
#include "SpectralWindow.h"

std::vector<std::complex<double>> windowedTransform(const double* y, const SpectralWindow& window)
{
    const std::vector<double>& w = window.values();
    std::vector<double> weighted(w.size());
    for (std::size_t n = 0; n < w.size(); ++n)
        weighted[n] = w[n] * y[n];
    const RealFft& fft = realFftPlan(w.size());
    std::vector<std::complex<double>> bins(fft.bins());
    fft.forward(weighted.data(), bins.data());
    return bins;
}
