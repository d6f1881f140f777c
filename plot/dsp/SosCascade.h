#pragma once

#include <complex>
#include <cstddef>
#include <vector>

// One second-order section of a digital filter:
//   H(z) = (b0 + b1·z⁻¹ + b2·z⁻²) / (1 + a1·z⁻¹ + a2·z⁻²);
// a first-order section has b2 = a2 = 0.
struct SecondOrderSection {
    double b0 = 1;
    double b1 = 0;
    double b2 = 0;
    double a1 = 0;
    double a2 = 0;
};

// A filter as a cascade of second-order sections, the form in which high orders stay stable
// in double precision.
class SosCascade
{
public:
    explicit SosCascade(std::vector<SecondOrderSection> sections);

    const std::vector<SecondOrderSection>& sections() const { return list; }
    // H at frequency f for the sampling frequency fs: H(e^(i·2π·f/fs)).
    std::complex<double> response(double f, double fs) const;

    // Filters `data` in place through every section (transposed direct form II), each starting
    // in the state a constant input of `settledOn` leaves it in, so that a signal starting
    // near that value starts without a jolt.
    void filter(double* data, std::size_t n, double settledOn) const;

private:
    std::vector<SecondOrderSection> list;
    // Per section, the two states a constant input of 1 into the cascade settles in.
    std::vector<double> settled;
};
