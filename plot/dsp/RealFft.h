#pragma once

#include <complex>
#include <cstddef>
#include <memory>

class Fft;

// The unscaled forward transform of n real values, the non-negative frequencies only:
//     X[k] = Σ_{j=0}^{n−1} x[j] · e^(−2πi·k·j/n),   k = 0 … n/2,
// so bins() = n/2 + 1; X[0] is DC and, for even n, X[n/2] the Nyquist bin. The bins
// k > n/2 that a complex transform would add are the conjugates of X[n − k].
//
// A plan is made once per length; forward() allocates nothing and works in scratch owned
// by the plan, so one plan serves one thread at a time.
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
    std::unique_ptr<Fft> fft_;
    mutable std::unique_ptr<double[]> workRe_;
    mutable std::unique_ptr<double[]> workIm_;
};

// The plan for n, made once and kept per thread among the few lengths used last, so
// repeated spectra of one length plan once and parallel threads never share scratch. The
// reference stays valid until this thread asks for more other lengths than the cache holds.
const RealFft& realFftPlan(std::size_t n);
