#pragma once

#include <cstddef>

// Point count after the correction for the Fourier transform: the largest power of two not
// above `count`, so the points beyond it can be dropped from the end. 0 stays 0.
std::size_t powerOfTwoCount(std::size_t count);
