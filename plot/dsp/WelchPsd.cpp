#include "WelchPsd.h"

#include "RealFft.h"
#include "SpectralWindow.h"
#include "SpectrumInput.h"

#include <cmath>
#include <complex>
#include <stdexcept>

Spectrum welchPsd(const double* y, std::size_t count, double fs, std::size_t length,
                  double overlapPercent, std::size_t windowIndex)
{
    checkSpectrumInput(y, count, fs, length);
    if (!(overlapPercent >= 0.0 && overlapPercent < 100.0))
        throw std::invalid_argument("The overlap must be at least 0 % and below 100 %.");
    const auto overlap = std::size_t(std::floor(double(length) * overlapPercent / 100.0));
    const std::size_t step = length - overlap;

    const SpectralWindow window(windowIndex, length);
    const std::vector<double>& w = window.values();
    const RealFft& fft = realFftPlan(length);
    std::vector<double> segment(length);
    std::vector<std::complex<double>> bins(fft.bins());

    Spectrum spectrum;
    spectrum.y.assign(bins.size(), 0.0);
    for (std::size_t start = 0; start + length <= count; start += step) {
        double mean = 0;
        for (std::size_t n = 0; n < length; ++n)
            mean += y[start + n];
        mean /= double(length);
        for (std::size_t n = 0; n < length; ++n)
            segment[n] = w[n] * (y[start + n] - mean);
        fft.forward(segment.data(), bins.data());
        for (std::size_t k = 0; k < bins.size(); ++k)
            spectrum.y[k] += std::norm(bins[k]);
        ++spectrum.segments;
    }

    const double scale = 1.0 / (double(spectrum.segments) * fs * window.sumOfSquares());
    spectrum.x.resize(bins.size());
    for (std::size_t k = 0; k < bins.size(); ++k) {
        // DC and Nyquist have no negative-frequency twin to fold in.
        const bool single = k == 0 || 2 * k == length;
        spectrum.x[k] = double(k) * fs / double(length);
        spectrum.y[k] *= (single ? 1.0 : 2.0) * scale;
    }
    return spectrum;
}
