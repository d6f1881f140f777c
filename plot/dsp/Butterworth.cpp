#include "Butterworth.h"

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Complex = std::complex<double>;

std::string text(double value)
{
    std::ostringstream out;
    out.precision(12);
    out << value;
    return out.str();
}

void check(Butterworth::Band band, int order, double fs, double low, double high)
{
    if (order < Butterworth::kMinOrder || order > Butterworth::kMaxOrder)
        throw std::invalid_argument("The filter order must be from 1 to 8, not " + std::to_string(order) + ".");
    if (!std::isfinite(fs) || fs <= 0)
        throw std::invalid_argument("A filter by frequency needs the curve's sampling frequency; it has none.");
    const double nyquist = fs / 2;
    const bool band2 = band == Butterworth::Band::BandPass;
    const auto inside = [nyquist](double f) { return std::isfinite(f) && f > 0 && f < nyquist; };
    if (!inside(low) || (band2 && !inside(high)))
        throw std::invalid_argument("Cutoff frequencies must lie between 0 and half the sampling frequency, " +
                                    text(nyquist) + " Hz.");
    if (band2 && low >= high)
        throw std::invalid_argument("The lower edge of the band must lie below the upper edge.");
}

double prewarped(double f, double fs)
{
    return 2 * fs * std::tan(M_PI * f / fs);
}

// The analogue poles of the filter asked for, each with its conjugate.
std::vector<Complex> analoguePoles(Butterworth::Band band, int order, double fs, double low, double high)
{
    std::vector<Complex> poles;
    for (int k = 0; k < order; ++k) {
        const Complex prototype = std::polar(1.0, M_PI * double(2 * k + 1 + order) / double(2 * order));
        if (band == Butterworth::Band::LowPass) {
            poles.push_back(prewarped(low, fs) * prototype);
        } else if (band == Butterworth::Band::HighPass) {
            poles.push_back(prewarped(low, fs) / prototype);
        } else {
            const double w1 = prewarped(low, fs);
            const double w2 = prewarped(high, fs);
            const Complex half = prototype * (w2 - w1) / 2.0;
            const Complex root = std::sqrt(half * half - w1 * w2);
            poles.push_back(half + root);
            poles.push_back(half - root);
        }
    }
    return poles;
}

Complex bilinear(const Complex& s, double fs)
{
    return (2 * fs + s) / (2 * fs - s);
}

// Complex poles come in conjugate pairs: each with a positive imaginary part makes one
// section with its partner; the real ones pair up in turn, a last one alone.
std::vector<SecondOrderSection> denominators(const std::vector<Complex>& poles)
{
    std::vector<SecondOrderSection> sections;
    std::vector<double> real;
    for (const Complex& p : poles) {
        if (std::abs(p.imag()) <= 1e-12 * std::abs(p)) {
            real.push_back(p.real());
        } else if (p.imag() > 0) {
            SecondOrderSection s;
            s.a1 = -2 * p.real();
            s.a2 = std::norm(p);
            sections.push_back(s);
        }
    }
    for (std::size_t i = 0; i < real.size(); i += 2) {
        SecondOrderSection s;
        const bool pair = i + 1 < real.size();
        s.a1 = -(real[i] + (pair ? real[i + 1] : 0.0));
        s.a2 = pair ? real[i] * real[i + 1] : 0.0;
        sections.push_back(s);
    }
    return sections;
}

// Where the filter passes most, as a frequency in Hz.
double passFrequency(Butterworth::Band band, double fs, double low, double high)
{
    if (band == Butterworth::Band::LowPass)
        return 0;
    if (band == Butterworth::Band::HighPass)
        return fs / 2;
    // The analogue centre, mapped back through the bilinear transform.
    const double centre = std::sqrt(prewarped(low, fs) * prewarped(high, fs));
    return fs / M_PI * std::atan(centre / (2 * fs));
}

} // namespace

// An analogue low-pass has all its zeros at infinity, which map to z = −1; a high-pass has
// them at 0, which maps to z = 1; a band-pass has half of each.
SosCascade Butterworth::design(Band band, int order, double fs, double low, double high)
{
    check(band, order, fs, low, high);
    std::vector<Complex> poles;
    for (const Complex& s : analoguePoles(band, order, fs, low, high))
        poles.push_back(bilinear(s, fs));
    std::vector<SecondOrderSection> sections = denominators(poles);
    const double pass = passFrequency(band, fs, low, high);
    const double zero = band == Band::HighPass ? 1.0 : -1.0;
    for (std::size_t k = 0; k < sections.size(); ++k) {
        SecondOrderSection& s = sections[k];
        const bool firstOrder = poles.size() % 2 == 1 && k + 1 == sections.size();
        if (band == Band::BandPass) {
            s.b0 = 1, s.b1 = 0, s.b2 = -1;
        } else if (firstOrder) {
            s.b0 = 1, s.b1 = -zero, s.b2 = 0;
        } else {
            s.b0 = 1, s.b1 = -2 * zero, s.b2 = 1;
        }
        const double gain = std::abs(SosCascade({s}).response(pass, fs));
        s.b0 /= gain;
        s.b1 /= gain;
        s.b2 /= gain;
    }
    if (SosCascade(sections).response(pass, fs).real() < 0) {
        sections.front().b0 = -sections.front().b0;
        sections.front().b1 = -sections.front().b1;
        sections.front().b2 = -sections.front().b2;
    }
    return SosCascade(sections);
}
