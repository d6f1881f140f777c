#pragma once

#include <cstddef>
#include <vector>

// dy/dx at every point by central differences that allow uneven steps. At an inner point it is
// the slope of the parabola through the point and its two neighbours,
//   y' = (h₋²·(y₊ − y) + h₊²·(y − y₋)) / (h₋·h₊·(h₋ + h₊)),   h₋ = x − x₋,  h₊ = x₊ − x,
// which is (y₊ − y₋) / 2h for even steps and exact for any parabola; at the ends of a run it
// is the one-sided difference to the neighbour. Each gap-free run (GapRuns.h) is taken by
// itself: a run of one point has no slope, and neither has a point beside a neighbour of the
// same x; both give NaN, as do gaps. May throw std::bad_alloc.
std::vector<double> derivative(const double* x, const double* y, std::size_t count);
