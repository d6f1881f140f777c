#include "WindowFunction.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kNames[kWindowFunctionCount] = {
    "Triangular", "Welch",           "Sine",     "Hann",     "Hamming", "Blackman",
    "Nuttall",    "Blackman Nuttall", "Blackman Harris", "Flat top", "Gaussian"};

constexpr double kPi = 3.14159265358979323846264338327950288;

// Standard deviation of the Gaussian window, relative to half its width.
constexpr double kGaussianSigma = 0.5;

// Σ c[k]·cos(2πk·n/(N−1)): the family of Hamming, Blackman, Nuttall, Harris and flat top.
// The coefficients carry their signs.
template <std::size_t Terms>
double cosineSum(const double (&c)[Terms], double phase)
{
    double w = c[0];
    for (std::size_t k = 1; k < Terms; ++k)
        w += c[k] * std::cos(static_cast<double>(k) * phase);
    return w;
}

constexpr double kHamming[] = {0.54, -0.46};
constexpr double kBlackman[] = {0.42659, -0.49656, 0.076849};
constexpr double kNuttall[] = {0.355768, -0.487396, 0.144232, -0.012604};
constexpr double kBlackmanNuttall[] = {0.3635819, -0.4891775, 0.1365995, -0.0106411};
constexpr double kBlackmanHarris[] = {0.35875, -0.48829, 0.14128, -0.01168};
// Not normalised: the centre is 4.636, not 1, so spectra read the same as they always have.
constexpr double kFlatTop[] = {1.0, -1.93, 1.29, -0.388, 0.028};

bool isWindow(WindowFunction f)
{
    return static_cast<std::size_t>(f) < kWindowFunctionCount;
}

} // namespace

const char* windowFunctionName(std::size_t index)
{
    return index < kWindowFunctionCount ? kNames[index] : nullptr;
}

double windowValue(WindowFunction f, std::size_t n, std::size_t count)
{
    if (count < 2 || n >= count)
        return 1.0;
    // Every window is symmetric about the centre. Evaluating the lower half only makes the
    // computed window exactly symmetric, and its last point as exact as its first: sin(π) and
    // cos(2π) are not 0 and 1 in doubles.
    const double m = static_cast<double>(std::min(n, count - 1 - n));
    const double last = static_cast<double>(count - 1);
    const double centre = last / 2.0;
    const double phase = 2.0 * kPi * m / last;
    switch (f) {
    case WindowFunction::Triangular:
        return 1.0 - std::abs((m - centre) / ((last + 2.0) / 2.0));
    case WindowFunction::Welch: {
        const double r = (m - centre) / centre;
        return 1.0 - r * r;
    }
    case WindowFunction::Sine:
        return std::sin(kPi * m / last);
    case WindowFunction::Hann: {
        const double s = std::sin(kPi * m / last);
        return s * s;
    }
    case WindowFunction::Hamming:
        return cosineSum(kHamming, phase);
    case WindowFunction::Blackman:
        return cosineSum(kBlackman, phase);
    case WindowFunction::Nuttall:
        return cosineSum(kNuttall, phase);
    case WindowFunction::BlackmanNuttall:
        return cosineSum(kBlackmanNuttall, phase);
    case WindowFunction::BlackmanHarris:
        return cosineSum(kBlackmanHarris, phase);
    case WindowFunction::FlatTop:
        return cosineSum(kFlatTop, phase);
    case WindowFunction::Gaussian: {
        const double r = (m - centre) / (kGaussianSigma * centre);
        return std::exp(-0.5 * r * r);
    }
    }
    return 1.0; // an index outside the enum, e.g. from a stale setting
}

void applyWindow(WindowFunction f, double* y, std::size_t count)
{
    if (count < 2 || !isWindow(f))
        return;
    for (std::size_t n = 0; n < count; ++n)
        y[n] *= windowValue(f, n, count);
}
