#pragma once

#include <cstddef>

// The level transformations of a whole curve: lifting it clear of zero, then reading it in
// decibels. The caller passes the minimum it already knows from the curve's statistics, so
// neither function scans the samples for it. That minimum leaves the gaps (NaN values) out,
// and both functions keep every gap a gap.

// Lifts a curve by the magnitude of its minimum: y += |minimum|. A negative minimum thereby
// moves the lowest point to 0 exactly; a positive one lifts the curve by that minimum.
void shiftByMinimum(double* y, std::size_t count, double minimum);

// Decibels of a curve that shiftByMinimum has lifted, given its minimum now (0 or above):
// y = 20·log10(y + c), with c = 1 when the minimum is 0, so the lowest point gives 0 dB and
// never −inf, and c = 0 otherwise.
void toDecibels(double* y, std::size_t count, double minimum);
