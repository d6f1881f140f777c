#include "Spectrogram.h"

#include "RealFft.h"
#include "SpectralWindow.h"
#include "SpectrumInput.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <stdexcept>

namespace {

// A binary exponent e with |value| < 2^e; 0 for 0. Bounded so that 2^−e stays a normal double.
int exponentAbove(double value)
{
    if (value == 0.0)
        return 0;
    return std::clamp(std::ilogb(value) + 1, -1000, 1000);
}

} // namespace

std::size_t Spectrogram::stepOf(std::size_t length, double overlapPercent)
{
    return length - std::size_t(std::floor(double(length) * overlapPercent / 100.0));
}

std::size_t Spectrogram::segmentsOf(std::size_t count, std::size_t length, double overlapPercent)
{
    if (length == 0 || length > count || !(overlapPercent >= 0.0 && overlapPercent < 100.0))
        return 0;
    return (count - length) / stepOf(length, overlapPercent) + 1;
}

// Every deviation from a segment's mean is below the input's spread, so with both scaled by
// powers of two, below 2^eY for the values and 2^eW for Σ|w|, each bin's magnitude is below
// 1 and its square fits a float without rounding to zero or overflowing. Powers of two scale
// without rounding.
Spectrogram::Spectrogram(const double* y, std::size_t count, double fs, std::size_t length, double overlapPercent,
                         std::size_t windowIndex)
{
    checkSpectrumInput(y, count, fs, length);
    if (!(overlapPercent >= 0.0 && overlapPercent < 100.0))
        throw std::invalid_argument("The overlap must be at least 0 % and below 100 %.");
    const SpectralWindow window(windowIndex, length);
    const std::vector<double>& w = window.values();
    const RealFft& fft = realFftPlan(length);

    segmentLength = length;
    hop = stepOf(length, overlapPercent);
    segmentCount = segmentsOf(count, length, overlapPercent);
    binCount = fft.bins();
    this->windowIndex = window.index();
    this->fs = fs;
    sumOfSquares = window.sumOfSquares();
    values.resize(segmentCount * binCount);

    const auto [lowest, highest] = std::minmax_element(y, y + count);
    double absoluteSum = 0;
    for (double weight : w)
        absoluteSum += std::abs(weight);
    const int valueExponent = exponentAbove(*highest - *lowest);
    const int windowExponent = exponentAbove(absoluteSum);
    scaleExponent = 2 * (valueExponent + windowExponent);
    const double unit = std::ldexp(1.0, -valueExponent);
    const double pairScale = std::ldexp(1.0, -2 * windowExponent);
    // DC and Nyquist have no negative-frequency twin folded into them.
    const double singleScale = pairScale / 2;
    const std::size_t nyquist = length % 2 == 0 ? length / 2 : 0;

    std::vector<double> segment(length);
    std::vector<std::complex<double>> spectrum(binCount);
    for (std::size_t i = 0; i < segmentCount; ++i) {
        const double* s = y + i * hop;
        double mean = 0;
        for (std::size_t n = 0; n < length; ++n)
            mean += s[n];
        mean /= double(length);
        for (std::size_t n = 0; n < length; ++n)
            segment[n] = w[n] * ((s[n] - mean) * unit);
        fft.forward(segment.data(), spectrum.data());
        float* out = values.data() + i * binCount;
        for (std::size_t k = 0; k < binCount; ++k)
            out[k] = float(std::norm(spectrum[k]) * pairScale);
        out[0] = float(std::norm(spectrum[0]) * singleScale);
        if (nyquist)
            out[nyquist] = float(std::norm(spectrum[nyquist]) * singleScale);
    }
}

double Spectrogram::time(std::size_t segment) const
{
    return (double(segment * hop) + double(segmentLength) / 2.0) / fs;
}

double Spectrogram::frequency(std::size_t bin) const
{
    return double(bin) * fs / double(segmentLength);
}

double Spectrogram::density(std::size_t segment, std::size_t bin) const
{
    return double(row(segment)[bin]) * scale();
}

double Spectrogram::level(std::size_t segment, std::size_t bin) const
{
    return 10.0 * std::log10(double(row(segment)[bin])) + levelOffset();
}

double Spectrogram::scale() const
{
    return std::ldexp(2.0 / (fs * sumOfSquares), scaleExponent);
}

double Spectrogram::levelOffset() const
{
    return 10.0 * (std::log10(2.0) * (1.0 + scaleExponent) - std::log10(fs) - std::log10(sumOfSquares));
}
