#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class FftPlan;

// The discrete Fourier transform of N complex points, any N >= 1, in O(N log N).
//
// Conventions:
//   - Forward direction, negative exponent, scaled by 1/N:
//       X[k] = (1/N) · Σ_{n=0}^{N−1} x[n] · e^(−2πi·k·n/N),   k = 0 … N−1,
//     so a constant 1 gives X[0] = 1 and every other bin 0, and a sine of amplitude A on a
//     whole bin k gives |X[k]| = |X[N−k]| = A/2.
//   - X[0] is DC. For even N, X[N/2] is the Nyquist bin. Bins k > N/2 are the negative
//     frequencies −(N−k). All N bins are computed, for real input too.
//   - The factors 2, 3, 5 and 7 of N run as self-sorting passes (each from one array into
//     another, the input's and the plan's scratch in turn, so nothing is reordered), as few
//     as can be: radix 8 (at most three times), 4, 10, 6, 9, 7, 5, 3 and 2, with vectors of
//     two doubles or, where the processor has AVX2 and FMA, four. What is left of N, the
//     product of its prime factors above 7, runs Bluestein's chirp-z method, for all the
//     interleaved sequences the passes leave at once: a circular convolution of length M,
//     the smallest product of 2, 3, 5 and 7 at or above twice that rest, done by two
//     transforms of M points. A prime N is all rest.
//   - An even N is the transform of N/2 points on the even and the odd points at once (two
//     interleaved sequences), joined by one last step. Real input packs its even and odd
//     points as the real and imaginary parts of one transform of N/2 points and unpacks the
//     spectrum in that last step: half the work. An odd N has no such path and transforms
//     real input as complex.
//   - Twiddle factors and the chirp come from std::cos and std::sin of angles reduced in
//     integer arithmetic, never from a recurrence; the error stays near 1e-15 of the largest
//     bin.
//   - N = 0 is refused with std::invalid_argument. A length whose transform, or Bluestein's
//     inner one for all its sequences, would exceed 2^32 points is refused with
//     std::bad_alloc, as memory that cannot be had.
//
// A plan is made once per length and reused; forward() allocates nothing. forward() works
// in scratch owned by the plan, so one plan serves one thread at a time. A plan holds about
// 32·N bytes when N has no prime factor above 7; Bluestein's method, with its kernel and its
// scratch of about twice the length for every sequence, brings that to between 100 and 150
// bytes per point (140 MB for a prime near a million).
class Fft
{
public:
    // Called before every stage with the stage's index, 0 … stages() − 1; returning false
    // stops the transform at once. Where a pass does the work of several stages, all of them
    // are reported before it. One point has no stages and no calls.
    using Progress = std::function<bool(int stage)>;

    // Plans the transform of n points (n >= 1): tables and scratch are made here, so forward()
    // allocates nothing. May throw std::bad_alloc.
    explicit Fft(std::size_t n);
    ~Fft();
    Fft(Fft&&) noexcept;
    Fft& operator=(Fft&&) noexcept;

    std::size_t size() const;
    // True when n is a power of two.
    bool isPowerOfTwo() const;
    // Stages reported through Progress, the same for real and complex input: a pass counts
    // as many stages as its radix has prime factors (radix 8 three, radix 4 two), the last
    // step of an even N as one, and Bluestein's method as the stages of its two transforms
    // of M points. So a power of two has log2(N) stages.
    int stages() const;

    // Forward transform in place on split real and imaginary arrays of size() values each
    // (two distinct arrays), with the conventions above. False when the transform did not
    // complete: either `progress` asked to stop, and the arrays then hold partial results or
    // still the input (when stopped before the first stage); or an array is null, and
    // nothing happens.
    bool forward(double* re, double* im, const Progress& progress = {}) const;

    // The same transform of real input: `re` holds size() real values, `im` is only
    // written. It gives the same N bins as forward() with zeros in `im`, the negative
    // frequencies as the conjugates of the positive ones, at about half the work for an
    // even N. It reports the same stages as forward().
    bool forwardReal(double* re, double* im, const Progress& progress = {}) const;

private:
    std::size_t n_ = 0;
    // An even N: the transform of N/2 points, for two interleaved sequences or one.
    // An odd N: the transform of N points.
    std::unique_ptr<FftPlan> plan_;
    // An even N: e^(−2πi·k/N), k < N/2, which join the halves.
    std::vector<double> rootRe_;
    std::vector<double> rootIm_;
    mutable std::vector<double> scratchRe_;
    mutable std::vector<double> scratchIm_;
};

// The plan for n, made once and kept per thread for the two lengths used last, so a second
// transform of one length does not plan again; older plans of more than 2^21 points together
// are let go. The reference stays valid until this thread asks for another length. May throw
// what Fft(n) throws.
const Fft& fftPlan(std::size_t n);
