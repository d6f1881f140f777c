#pragma once

#include <cstddef>
#include <vector>

// Savitzky–Golay smoothing: each point becomes the value at that point of the polynomial of
// degree `order` fitted by least squares to the `window` points around it. The points are
// taken as evenly spaced, as the method is defined; x serves only to find the gaps.
//
// Where the window would reach past the end of a run, the polynomial fitted to the first (or
// last) `window` points of the run gives the values of the points it covers, so the ends are
// smoothed by a fit of the same degree instead of being left as they were. A run shorter than
// the window is fitted whole, with a degree of at most its length − 1. Each gap-free run
// (GapRuns.h) is smoothed by itself; gaps stay NaN.
class SavitzkyGolay
{
public:
    static constexpr std::size_t kMaxOrder = 10;
    // Each point costs a multiplication per window point: a wider window would take minutes
    // over a long curve for no smoother a result than a low-pass filter gives at once.
    static constexpr std::size_t kMaxWindow = 1001;

    // Throws std::invalid_argument for an even window or one above kMaxWindow, an order of
    // window or more, or an order above kMaxOrder; may throw std::bad_alloc.
    SavitzkyGolay(std::size_t window, std::size_t order);

    // The weights c_j of the value at window point `at` (0 to window − 1), Σ c_j y_j: row `at`
    // of the least-squares fit's hat matrix Q·Qᵀ, Q the orthonormalised powers of the points'
    // positions. At the centre these are the classic convolution coefficients.
    std::vector<double> weights(std::size_t at) const;

    // May throw std::bad_alloc.
    std::vector<double> smooth(const double* x, const double* y, std::size_t count) const;

private:
    void smoothRun(const double* y, std::size_t n, double* out) const;

    std::size_t window;
    std::size_t order;
    // Row-major window × (order + 1).
    std::vector<double> q;
};
