#pragma once

#include <cstddef>

// Refuses, with std::invalid_argument and a message for the user, what no spectrum can be
// made of: fewer than 2 points or a segment `length` outside 2 … count, a sampling rate that
// is not a finite positive number, or a gap (NaN) or an infinite value among the values: one
// of them would make every bin of the spectrum NaN.
void checkSpectrumInput(const double* y, std::size_t count, double fs, std::size_t length);
