#pragma once

#include "Spectrum.h"

#include <cstddef>

// One-sided power spectral density in unit²/Hz by Welch's method: segments of `length`
// points, step length − floor(length·overlap/100), each segment's mean removed, window w:
//   P_k = 2 · mean over segments |FFT(w·(s − mean s))_k|² / (fs · S2),
// DC and (even length) Nyquist not doubled; x_k = k·fs/length, k = 0 … length/2.
// Throws std::invalid_argument with a message for the user when length < 2, length > count,
// overlap outside [0, 100), fs <= 0 or not finite, or y holds a NaN or an infinity. May throw
// std::bad_alloc.
Spectrum welchPsd(const double* y, std::size_t count, double fs, std::size_t length,
                  double overlapPercent, std::size_t windowIndex);
