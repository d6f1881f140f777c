#pragma once

#include <complex>
#include <cstddef>
#include <memory>
#include <vector>

class FftPlan;

// The unscaled forward transform of n real values, the non-negative frequencies only:
//     X[k] = Σ_{j=0}^{n−1} x[j] · e^(−2πi·k·j/n),   k = 0 … n/2,
// so bins() = n/2 + 1; X[0] is DC and, for even n, X[n/2] the Nyquist bin. The bins
// k > n/2 that a complex transform would add are the conjugates of X[n − k].
//
// An even n packs its even and odd values as the real and imaginary parts of one complex
// transform of n/2 points and unpacks the spectrum from it; an odd n runs as complex. The
// algorithms, their accuracy and the limits on n are those of Fft (Fft.h). A plan holds
// about 32·n bytes when n has no prime factor above 7 (48·n for an odd n).
//
// forward() allocates nothing and works in scratch owned by the plan, so one plan serves
// one thread at a time.
class RealFft
{
public:
    // n >= 1 (n = 0 is refused with std::invalid_argument); may throw std::bad_alloc.
    explicit RealFft(std::size_t n);
    ~RealFft();

    std::size_t size() const;
    // n/2 + 1.
    std::size_t bins() const;

    // `in`: size() values; `out`: bins() values.
    void forward(const double* in, std::complex<double>* out) const;

private:
    std::size_t n_ = 0;
    // An even n: the transform of n/2 points; an odd n: of n points.
    std::unique_ptr<FftPlan> plan_;
    // An even n: e^(−2πi·k/n), k < n/2.
    std::vector<double> rootRe_;
    std::vector<double> rootIm_;
    mutable std::vector<double> workRe_;
    mutable std::vector<double> workIm_;
    mutable std::vector<double> spareRe_;
    mutable std::vector<double> spareIm_;
};

// The plan for n, made once and kept per thread among the 8 lengths used last, so repeated
// spectra of one length plan once and parallel threads never share scratch. Older plans of
// more than 2^21 points together are let go. The reference stays valid until this thread asks
// for another length. May throw what RealFft(n) throws.
const RealFft& realFftPlan(std::size_t n);
