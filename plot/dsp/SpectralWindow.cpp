#include "SpectralWindow.h"

#include "WindowFunction.h"

#include <cctype>
#include <cmath>

namespace {

constexpr std::size_t kRectangular = 11;
constexpr double kPi = 3.14159265358979323846264338327950288;
// Standard deviation of the Gaussian window, relative to half its width, as WindowFunction's.
constexpr double kGaussianSigma = 0.5;

// The cosine-sum coefficients of WindowFunction, in its order; empty where the window is no
// cosine sum. Hann is one: sin²(x) = ½ − ½·cos(2x).
const std::vector<double>& cosineTerms(std::size_t index)
{
    static const std::vector<double> kTerms[kSpectralWindowCount] = {
        {},
        {},
        {},
        {0.5, -0.5},
        {0.54, -0.46},
        {0.42659, -0.49656, 0.076849},
        {0.355768, -0.487396, 0.144232, -0.012604},
        {0.3635819, -0.4891775, 0.1365995, -0.0106411},
        {0.35875, -0.48829, 0.14128, -0.01168},
        {1.0, -1.93, 1.29, -0.388, 0.028},
        {},
        {1.0},
    };
    return kTerms[index];
}

// The bins either side of the peak out to the first zero (or, without zeros, the first
// minimum) of each window's transform, rounded up.
constexpr int kMainLobeHalfWidth[kSpectralWindowCount] = {2, 2, 2, 2, 2, 3, 4, 4, 4, 5, 2, 1};

// w[n] of the periodic window, n = 0 … N−1: the symmetric formula of N + 1 points.
double periodicValue(std::size_t index, double n, double length)
{
    const double centre = length / 2.0;
    switch (index) {
    case 0:
        return 1.0 - std::abs((n - centre) / ((length + 2.0) / 2.0));
    case 1: {
        const double r = (n - centre) / centre;
        return 1.0 - r * r;
    }
    case 2:
        return std::sin(kPi * n / length);
    case 10: {
        const double r = (n - centre) / (kGaussianSigma * centre);
        return std::exp(-0.5 * r * r);
    }
    default: {
        const std::vector<double>& c = cosineTerms(index);
        double w = c[0];
        for (std::size_t k = 1; k < c.size(); ++k)
            w += c[k] * std::cos(2.0 * kPi * double(k) * n / length);
        return w;
    }
    }
}

// Σ_{n<N} e^(−2πi·x·n/N) = e^(−πi·x·(N−1)/N) · sin(πx)/sin(πx/N), the Dirichlet kernel. It
// repeats every N bins; x is first brought within half of that of 0, where sin(πx/N) is 0 at
// x = 0 only.
std::complex<double> dirichlet(double x, std::size_t length)
{
    const double n = double(length);
    x -= n * std::round(x / n);
    if (x == 0.0)
        return n;
    const double whole = std::round(x);
    // sin(πx) from the distance to the nearest integer keeps its zeros exact.
    const double sinPiX = std::sin(kPi * (x - whole)) * (std::fmod(whole, 2.0) == 0 ? 1 : -1);
    return sinPiX / std::sin(kPi * x / n) * std::polar(1.0, -kPi * x * (n - 1.0) / n);
}

std::string folded(const std::string& name)
{
    std::string key;
    for (char c : name) {
        if (!std::isspace(static_cast<unsigned char>(c)))
            key += char(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

} // namespace

const char* spectralWindowName(std::size_t index)
{
    return index == kRectangular ? "Rectangular" : windowFunctionName(index);
}

int spectralWindowIndex(const std::string& name)
{
    const std::string key = folded(name);
    for (std::size_t i = 0; i < kSpectralWindowCount; ++i) {
        if (folded(spectralWindowName(i)) == key)
            return int(i);
    }
    return -1;
}

SpectralWindow::SpectralWindow(std::size_t index, std::size_t length)
    : index_(index < kSpectralWindowCount ? index : kRectangular)
    , values_(length == 0 ? 1 : length, 1.0)
{
    // One point has no shape to give: it stays unweighted, as WindowFunction leaves it.
    if (values_.size() > 1) {
        cosineTerms_ = cosineTerms(index_);
        for (std::size_t n = 0; n < values_.size(); ++n)
            values_[n] = periodicValue(index_, double(n), double(values_.size()));
    }
    for (double w : values_) {
        sum_ += w;
        sumOfSquares_ += w * w;
    }
}

std::size_t SpectralWindow::index() const
{
    return index_;
}

std::size_t SpectralWindow::size() const
{
    return values_.size();
}

const std::vector<double>& SpectralWindow::values() const
{
    return values_;
}

double SpectralWindow::sum() const
{
    return sum_;
}

double SpectralWindow::sumOfSquares() const
{
    return sumOfSquares_;
}

double SpectralWindow::noiseBandwidth() const
{
    return double(values_.size()) * sumOfSquares_ / (sum_ * sum_);
}

int SpectralWindow::mainLobeHalfWidth() const
{
    return kMainLobeHalfWidth[index_];
}

std::complex<double> SpectralWindow::kernel(double delta) const
{
    const std::size_t length = values_.size();
    if (!cosineTerms_.empty()) {
        // a_k·cos(2πkn/N) is ½a_k·(e^(2πikn/N) + e^(−2πikn/N)): two shifted Dirichlet kernels.
        std::complex<double> sum = cosineTerms_[0] * dirichlet(delta, length);
        for (std::size_t k = 1; k < cosineTerms_.size(); ++k) {
            sum += 0.5 * cosineTerms_[k] *
                   (dirichlet(delta - double(k), length) + dirichlet(delta + double(k), length));
        }
        return sum;
    }
    // The periodic windows are symmetric about N/2, w[n] = w[N − n]: pairing those points
    // leaves half as many cosines about the centre,
    //   W(δ) = w[0] + e^(−iπδ)·Σ_{n=1}^{N−1} w[n]·cos(θ·(n − N/2)),   θ = 2πδ/N.
    // The phasor advances by multiplication and is set afresh from the angle every so often,
    // so its rounding never accumulates over more than a few hundred steps.
    constexpr std::size_t kReanchor = 256;
    const double theta = 2.0 * kPi * delta / double(length);
    const double centre = double(length) / 2.0;
    const std::complex<double> rotation = std::polar(1.0, theta);
    std::complex<double> phasor;
    double sum = length % 2 == 0 && length > 1 ? values_[length / 2] : 0.0;
    for (std::size_t n = 1; 2 * n < length; ++n) {
        phasor = (n - 1) % kReanchor == 0 ? std::polar(1.0, theta * (double(n) - centre))
                                          : phasor * rotation;
        sum += (values_[n] + values_[length - n]) * phasor.real();
    }
    return values_[0] + sum * std::polar(1.0, -kPi * delta);
}
