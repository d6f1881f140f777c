#pragma once

#include "Spectrum.h"

#include <cstddef>

// A_k = 2|X_k|/S1 for k = 0 … floor(N/2) (DC and, for even N, Nyquist: |X_k|/S1),
// x_k = k·fs/N: a sine of amplitude A on a bin reads A, a constant c reads c at DC.
// Throws std::invalid_argument with a message for the user when count < 2, fs <= 0 or not
// finite, or y holds a NaN or an infinity. May throw std::bad_alloc.
Spectrum amplitudeSpectrum(const double* y, std::size_t count, double fs,
                           std::size_t windowIndex);
