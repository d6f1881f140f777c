#pragma once

#include <cstddef>

// Refuses, with std::invalid_argument and a message for the user, what no spectrum can be
// made of: fewer than 2 points or a segment `length` outside 2 … count, a sampling rate that
// is not a finite positive number, or a gap (NaN) among the values. Infinite values are left
// to show as such in the spectrum.
void checkSpectrumInput(const double* y, std::size_t count, double fs, std::size_t length);
