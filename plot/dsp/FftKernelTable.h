#pragma once

#include <cstddef>

// One pass of radix p of the self-sorting transform: `span` interleaved sequences so far
// (point t of sequence j at span·t + j), each `count`·p points long, become span·p
// sequences of `count` points:
//     out[span·(p·q + r) + j] = w^(r·q) · Σ_t in[span·(q + t·count) + j] · e^(−2πi·r·t/p),
// w = e^(−2πi/(count·p)), q < count, r < p, j < span. The twiddle factors w^(r·q) sit in rows
// r = 1 … p−1 of `count` values each. The last pass of a transform has count 1 and no rows
// (null): it scales its output instead, and may work in place.
struct FftPassData {
    const double* inRe;
    const double* inIm;
    double* outRe;
    double* outIm;
    std::size_t span;
    std::size_t count;
    const double* twiddleRe;
    const double* twiddleIm;
    double scale;
};

// The loops of the transform, compiled once for each instruction set that widens their
// vectors; the plans call them through this table. Arrays are split into real and imaginary
// parts; "roots" are e^(−2πi·k/n), k < n/2, of the whole transform of n = 2h points.
struct FftKernelTable {
    // The radices 2, 3, 4, 5, 6, 7, 8, 9 and 10.
    void (*pass)(int radix, const FftPassData& data);

    // The transform of n = 2h points from those of its even and odd points, given as the
    // pairs E[k] = half[2k], O[k] = half[2k + 1]: X[k] and X[k + h] = (E[k] ± w^k·O[k])·scale.
    void (*joinHalves)(const double* halfRe, const double* halfIm, std::size_t h,
                       const double* rootRe, const double* rootIm, double scale, double* re,
                       double* im);

    // z[t] = x[2t] + i·x[2t + 1], t < h: n = 2h real values as h complex ones.
    void (*packReal)(const double* x, std::size_t h, double* zRe, double* zIm);

    // The spectrum of the 2h real values from Z, the transform of their packed form: all n
    // bins, scaled, into split arrays.
    void (*unpackReal)(const double* zRe, const double* zIm, std::size_t h,
                       const double* rootRe, const double* rootIm, double scale, double* re,
                       double* im);

    // The same, unscaled, bins 0 … h only, as interleaved complex values.
    void (*unpackRealHalf)(const double* zRe, const double* zIm, std::size_t h,
                           const double* rootRe, const double* rootIm, double* out);

    // out[width·k + j] = in[width·k + j] · factor[k] · scale for k < rows, j < width;
    // in and out may be the same arrays.
    void (*multiplyRows)(const double* inRe, const double* inIm, const double* factorRe,
                         const double* factorIm, std::size_t rows, std::size_t width,
                         double scale, double* outRe, double* outIm);
};

// The table for the processor the program runs on: the widest vectors it has.
const FftKernelTable& fftKernelTable();

// The tables of each build of the loops; null where this build has none.
const FftKernelTable* fftKernelsGeneric();
const FftKernelTable* fftKernelsAvx2();
