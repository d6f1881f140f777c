#include "SosCascade.h"

#include <cmath>

SosCascade::SosCascade(std::vector<SecondOrderSection> sections)
    : list(std::move(sections))
{
    // With a constant input u a section settles at the output g·u, g its gain at z = 1, and
    // its states at what the recurrences give for that output.
    double input = 1;
    for (const SecondOrderSection& s : list) {
        const double output = input * (s.b0 + s.b1 + s.b2) / (1 + s.a1 + s.a2);
        const double z2 = s.b2 * input - s.a2 * output;
        const double z1 = s.b1 * input - s.a1 * output + z2;
        settled.push_back(z1);
        settled.push_back(z2);
        input = output;
    }
}

std::complex<double> SosCascade::response(double f, double fs) const
{
    const std::complex<double> zInverse = std::polar(1.0, -2 * M_PI * f / fs);
    const std::complex<double> zInverse2 = zInverse * zInverse;
    std::complex<double> h = 1;
    for (const SecondOrderSection& s : list)
        h *= (s.b0 + s.b1 * zInverse + s.b2 * zInverse2) / (1.0 + s.a1 * zInverse + s.a2 * zInverse2);
    return h;
}

void SosCascade::filter(double* data, std::size_t n, double settledOn) const
{
    for (std::size_t k = 0; k < list.size(); ++k) {
        const SecondOrderSection& s = list[k];
        double z1 = settled[2 * k] * settledOn;
        double z2 = settled[2 * k + 1] * settledOn;
        for (std::size_t i = 0; i < n; ++i) {
            const double in = data[i];
            const double out = s.b0 * in + z1;
            z1 = s.b1 * in - s.a1 * out + z2;
            z2 = s.b2 * in - s.a2 * out;
            data[i] = out;
        }
    }
}
