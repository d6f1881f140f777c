#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The discrete Fourier transform of N complex points, any N >= 1, in O(N log N).
//
// Conventions:
//   - Forward direction, negative exponent, scaled by 1/N:
//       X[k] = (1/N) · Σ_{n=0}^{N−1} x[n] · e^(−2πi·k·n/N),   k = 0 … N−1,
//     so a constant 1 gives X[0] = 1 and every other bin 0, and a sine of amplitude A on a
//     whole bin k gives |X[k]| = |X[N−k]| = A/2.
//   - X[0] is DC. For even N, X[N/2] is the Nyquist bin. Bins k > N/2 are the negative
//     frequencies −(N−k). All N bins are computed, for real input too.
//   - Powers of two run an iterative radix-2 transform (bit reversal, then log2(N) butterfly
//     stages; two stages share one pass over the data where they can). Every other length
//     runs Bluestein's chirp-z: a circular convolution of length M, the power of two at or
//     above 2N−1, done by two radix-2 transforms of M points (decimation in frequency, then
//     in time, so the convolution never reorders its data).
//   - Twiddle factors and the chirp come from std::cos and std::sin of angles reduced in
//     integer arithmetic, never from a recurrence; the error stays near 1e-15 of the largest
//     bin.
//   - N = 0 is refused with std::invalid_argument. A length whose inner transform would
//     exceed 2^32 points is refused with std::bad_alloc, as memory that cannot be had.
//
// A plan is made once per length and reused; forward() allocates nothing. forward() works
// in scratch owned by the plan, so one plan serves one thread at a time. A plan holds about
// 16·N bytes for a power of two, and about 48·M + 16·N bytes otherwise (120 MB for a
// million points).
class Fft
{
public:
    // Called before every stage with the stage's index, 0 … stages() − 1; returning false
    // stops the transform at once. Where two stages share a pass over the data, both are
    // reported before that pass. One point has no stages and no calls.
    using Progress = std::function<bool(int stage)>;

    // Plans the transform of n points (n >= 1): tables and scratch are made here, so forward()
    // allocates nothing. May throw std::bad_alloc.
    explicit Fft(std::size_t n);

    std::size_t size() const;
    // True when n is a power of two: the radix-2 path, with log2(n) stages.
    bool isPowerOfTwo() const;
    // Stages reported through Progress: log2(n) on the radix-2 path; for other lengths
    // 2·log2(M), the stages of the two transforms of M points that Bluestein's method runs.
    int stages() const;

    // Forward transform in place on split real and imaginary arrays of size() values each
    // (two distinct arrays), with the conventions above. False when the transform did not
    // complete: either `progress` asked to stop, and the arrays then hold partial results
    // (powers of two, once a pass has run) or still the input (otherwise: Bluestein's method
    // works in the plan's scratch until its last step); or an array is null, and nothing
    // happens.
    bool forward(double* re, double* im, const Progress& progress = {}) const;

private:
    void planRadix2(std::size_t m);
    void planTwiddles();
    void planBluestein();
    // Radix-2 transforms of m_ points, forward direction, in place. Decimation in time takes
    // its input in natural order when `reorder` is set, else in bit-reversed order, and
    // leaves natural order; decimation in frequency goes from natural to bit-reversed order.
    // Their stages report as firstStage + 0 … log2(m_) − 1.
    bool decimateInTime(double* re, double* im, double scale, bool reorder,
                        const Progress& progress, int firstStage) const;
    bool decimateInFrequency(double* re, double* im, const Progress& progress,
                             int firstStage) const;
    void bitReverse(double* values) const;
    bool bluestein(double* re, double* im, const Progress& progress) const;

    std::size_t n_ = 0;
    // The radix-2 transform: n_ itself, or Bluestein's M.
    std::size_t m_ = 0;
    int log2m_ = 0;
    // The twiddle factors e^(−2πi·j/2h), j = 0 … h−1, of the stage with half-span h = 2^s,
    // stored from offset h − 1, so each stage reads one contiguous run.
    std::vector<double> twiddleRe_;
    std::vector<double> twiddleIm_;
    // Bit reversal works on tiles: an index is split into `tileBits_` high bits, a middle
    // and `tileBits_` low bits; the middle's reversal comes from this table.
    int tileBits_ = 0;
    std::vector<std::uint32_t> reversedMiddle_;
    // Bluestein: the chirp e^(−iπ·n²/N), n < N, and the transform of its conjugate,
    // wrapped to length M, scaled by 1/(M·N) and kept in bit-reversed order.
    std::vector<double> chirpRe_;
    std::vector<double> chirpIm_;
    std::vector<double> kernelRe_;
    std::vector<double> kernelIm_;
    mutable std::vector<double> workRe_;
    mutable std::vector<double> workIm_;
};
