#include "AmplitudeSpectrum.h"

#include "SpectralWindow.h"
#include "SpectrumInput.h"
#include "WindowedTransform.h"

#include <cmath>

Spectrum amplitudeSpectrum(const double* y, std::size_t count, double fs,
                           std::size_t windowIndex)
{
    checkSpectrumInput(y, count, fs, count);
    const SpectralWindow window(windowIndex, count);
    const std::vector<std::complex<double>> bins = windowedTransform(y, window);

    Spectrum spectrum;
    spectrum.segments = 1;
    spectrum.x.resize(bins.size());
    spectrum.y.resize(bins.size());
    for (std::size_t k = 0; k < bins.size(); ++k) {
        // DC and Nyquist have no negative-frequency twin to fold in.
        const bool single = k == 0 || 2 * k == count;
        spectrum.x[k] = double(k) * fs / double(count);
        spectrum.y[k] = (single ? 1.0 : 2.0) * std::abs(bins[k]) / window.sum();
    }
    return spectrum;
}
