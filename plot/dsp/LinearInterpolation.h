#pragma once

#include <cstddef>
#include <vector>

// Linear interpolation in a curve whose x never decreases. Outside [first x, last x] the curve
// has no value (NaN). A point whose x is not finite is a gap: the curve has no value between
// its neighbours; a NaN y likewise gives NaN on both sides of it. At an x that several points
// share, the first of them gives the value.
//
// The curve's arrays are read where they are and must outlive this object, unless an x needs
// the gap rule: then it keeps its own copy.
class LinearInterpolation
{
public:
    // Throws std::invalid_argument when x decreases somewhere; may throw std::bad_alloc.
    LinearInterpolation(const double* x, const double* y, std::size_t count);

    double at(double x) const;
    // values[i] = at(where[i]); ascending `where` walks along the curve once.
    void sample(const double* where, std::size_t n, double* values) const;

private:
    // The value at t, xs[j − 1] < t <= xs[j].
    double between(std::size_t j, double t) const;
    void keepGaps(const double* x, const double* y, std::size_t count);

    const double* xs;
    const double* ys;
    std::size_t size;
    std::vector<double> ownX;
    std::vector<double> ownY;
};
