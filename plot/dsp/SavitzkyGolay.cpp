#include "SavitzkyGolay.h"

#include "GapRuns.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// Q of the thin QR factorisation of the window's Vandermonde matrix, by modified Gram–Schmidt
// done twice: the positions are scaled to [−1, 1], and the second pass takes back what
// rounding left of the earlier columns, so that high degrees stay orthonormal.
std::vector<double> orthonormalPowers(std::size_t window, std::size_t order)
{
    const std::size_t columns = order + 1;
    std::vector<double> q(window * columns);
    const double half = double(window - 1) / 2;
    for (std::size_t i = 0; i < window; ++i) {
        const double t = half > 0 ? (double(i) - half) / half : 0.0;
        double power = 1;
        for (std::size_t k = 0; k < columns; ++k, power *= t)
            q[i * columns + k] = power;
    }
    for (std::size_t k = 0; k < columns; ++k) {
        for (int pass = 0; pass < 2; ++pass) {
            for (std::size_t j = 0; j < k; ++j) {
                double dot = 0;
                for (std::size_t i = 0; i < window; ++i)
                    dot += q[i * columns + j] * q[i * columns + k];
                for (std::size_t i = 0; i < window; ++i)
                    q[i * columns + k] -= dot * q[i * columns + j];
            }
        }
        double norm = 0;
        for (std::size_t i = 0; i < window; ++i)
            norm += q[i * columns + k] * q[i * columns + k];
        norm = std::sqrt(norm);
        for (std::size_t i = 0; i < window; ++i)
            q[i * columns + k] /= norm;
    }
    return q;
}

// out[i] for first <= i < last: the least-squares polynomial through y[0] to y[rows − 1] at
// point i, with q the rows × columns orthonormal basis of the polynomials.
void fitted(const std::vector<double>& q, std::size_t columns, const double* y, std::size_t rows, std::size_t first,
            std::size_t last, double* out)
{
    std::vector<double> coefficients(columns, 0.0);
    for (std::size_t i = 0; i < rows; ++i) {
        for (std::size_t k = 0; k < columns; ++k)
            coefficients[k] += q[i * columns + k] * y[i];
    }
    for (std::size_t i = first; i < last; ++i) {
        double value = 0;
        for (std::size_t k = 0; k < columns; ++k)
            value += q[i * columns + k] * coefficients[k];
        out[i] = value;
    }
}

} // namespace

SavitzkyGolay::SavitzkyGolay(std::size_t window, std::size_t order)
    : window(window)
    , order(order)
{
    if (window % 2 == 0)
        throw std::invalid_argument("The Savitzky-Golay window must be an odd number of points.");
    if (window > kMaxWindow)
        throw std::invalid_argument("The Savitzky-Golay window may have at most " + std::to_string(kMaxWindow) +
                                    " points.");
    if (order >= window || order > kMaxOrder)
        throw std::invalid_argument("The Savitzky-Golay order must be less than the window and at most " +
                                    std::to_string(kMaxOrder) + ".");
    q = orthonormalPowers(window, order);
}

std::vector<double> SavitzkyGolay::weights(std::size_t at) const
{
    const std::size_t columns = order + 1;
    std::vector<double> w(window, 0.0);
    for (std::size_t j = 0; j < window; ++j) {
        for (std::size_t k = 0; k < columns; ++k)
            w[j] += q[at * columns + k] * q[j * columns + k];
    }
    return w;
}

std::vector<double> SavitzkyGolay::smooth(const double* x, const double* y, std::size_t count) const
{
    return filterEachRun(x, y, count, [this](const double*, const double* runY, std::size_t n, double* out) {
        smoothRun(runY, n, out);
    });
}

// Inside the run each point takes the centre's weights; the ends, and a run shorter than the
// window, take the values of one fit: Q·(Qᵀ·y) over the points it covers.
void SavitzkyGolay::smoothRun(const double* y, std::size_t n, double* out) const
{
    if (n < window) {
        const std::size_t degree = std::min(order, n - 1);
        fitted(orthonormalPowers(n, degree), degree + 1, y, n, 0, n, out);
        return;
    }
    const std::size_t half = window / 2;
    const std::vector<double> centre = weights(half);
    for (std::size_t i = half; i + half < n; ++i) {
        double value = 0;
        for (std::size_t j = 0; j < window; ++j)
            value += centre[j] * y[i - half + j];
        out[i] = value;
    }
    fitted(q, order + 1, y, window, 0, half, out);
    fitted(q, order + 1, y + n - window, window, half + 1, window, out + n - window);
}
