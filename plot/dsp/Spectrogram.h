#pragma once

#include <cstddef>
#include <vector>

// The short-time Fourier transform of evenly sampled values, as one-sided power spectral
// densities in unit²/Hz. Segments of L = `length` points start every
// step = L − floor(L·overlap/100) points; each has its mean removed and is weighted by the
// periodic window w (SpectralWindow), and for segment i, starting at s_i = i·step,
//   P[i][k] = 2·|Σ_n w[n]·(y[s_i + n] − mean_i)·e^(−2πi·k·n/L)|² / (fs·S2),   S2 = Σ w²,
// with DC and (even L) Nyquist not doubled: welchPsd's scaling for a single segment. Segment i
// stands at t_i = (s_i + L/2)/fs seconds from the first value, bin k at f_k = k·fs/L, k ≤ L/2.
//
// The densities are one block of floats, segment after segment. Ten minutes at 48 kHz in
// segments of 2048 points at 50 % make 28,124 × 1025 values: 115 MB as floats, twice that as
// doubles, and a float's 24 bits still place a level within 10^-6 dB, far finer than a colour
// or a printed figure needs. A float's range is narrower than the densities' can be, so each
// value is stored divided by scale(), a power of two times 2/(fs·S2) chosen from the spread of
// the input, which puts every stored value in [0, 1]; a float loses only what lies more than
// 400 dB below the loudest level the input allows.
class Spectrogram
{
public:
    Spectrogram() = default;
    // Throws std::invalid_argument with a message for the user when length < 2,
    // length > count, overlap outside [0, 100), fs <= 0 or not finite, or y holds a NaN or an
    // infinity. May throw std::bad_alloc.
    Spectrogram(const double* y, std::size_t count, double fs, std::size_t length, double overlapPercent,
                std::size_t windowIndex);

    // The step between segment starts (overlap in [0, 100)), and how many segments of `length`
    // fit in `count` values, 0 for an overlap outside that: what the matrix will hold, to be
    // weighed before it is made.
    static std::size_t stepOf(std::size_t length, double overlapPercent);
    static std::size_t segmentsOf(std::size_t count, std::size_t length, double overlapPercent);

    std::size_t segments() const { return segmentCount; }
    // L/2 + 1.
    std::size_t bins() const { return binCount; }
    std::size_t length() const { return segmentLength; }
    std::size_t step() const { return hop; }
    double sampleRate() const { return fs; }
    std::size_t window() const { return windowIndex; }

    // t_i and f_k in seconds and Hz.
    double time(std::size_t segment) const;
    double frequency(std::size_t bin) const;
    // P[segment][bin] in unit²/Hz.
    double density(std::size_t segment, std::size_t bin) const;
    // 10·log10 of the density, in dB re 1 unit²/Hz; −∞ where the density is 0.
    double level(std::size_t segment, std::size_t bin) const;
    // The bins() stored values of a segment: its densities divided by scale().
    const float* row(std::size_t segment) const { return values.data() + segment * binCount; }
    double scale() const;
    // 10·log10(scale()), found without forming scale(), which a tiny fs can make overflow.
    double levelOffset() const;

private:
    std::size_t segmentCount = 0;
    std::size_t binCount = 0;
    std::size_t segmentLength = 0;
    std::size_t hop = 1;
    std::size_t windowIndex = 0;
    double fs = 1;
    double sumOfSquares = 1;
    // scale() = 2^scaleExponent · 2/(fs·S2).
    int scaleExponent = 0;
    std::vector<float> values;
};
