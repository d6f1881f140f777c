#include "KernelFit.h"

#include "SpectralWindow.h"

#include <algorithm>
#include <cmath>

namespace {

// Brent's minimisation of f on [a, b]: golden sections where the parabola through the last
// three points cannot be trusted. A pure tone's residual falls to rounding at the true bin,
// so the search may go on far below the usual square root of the machine epsilon.
template <typename F>
double minimise(const F& f, double a, double b, double tolerance)
{
    constexpr double kGolden = 0.3819660112501051;
    constexpr int kMaxSteps = 100;
    double x = a + kGolden * (b - a);
    double w = x, v = x;
    double fx = f(x), fw = fx, fv = fx;
    double d = 0, e = 0;
    for (int step = 0; step < kMaxSteps; ++step) {
        const double middle = 0.5 * (a + b);
        const double tol1 = tolerance * (1.0 + std::abs(x));
        const double tol2 = 2.0 * tol1;
        if (std::abs(x - middle) <= tol2 - 0.5 * (b - a))
            break;
        bool golden = true;
        if (std::abs(e) > tol1) {
            const double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2.0 * (q - r);
            if (q > 0)
                p = -p;
            q = std::abs(q);
            const double previous = e;
            e = d;
            if (std::abs(p) < std::abs(0.5 * q * previous) && p > q * (a - x) && p < q * (b - x)) {
                d = p / q;
                const double u = x + d;
                if (u - a < tol2 || b - u < tol2)
                    d = std::copysign(tol1, middle - x);
                golden = false;
            }
        }
        if (golden) {
            e = x >= middle ? a - x : b - x;
            d = kGolden * e;
        }
        const double u = std::abs(d) >= tol1 ? x + d : x + std::copysign(tol1, d);
        const double fu = f(u);
        if (fu <= fx) {
            (u >= x ? a : b) = x;
            v = w, fv = fw;
            w = x, fw = fx;
            x = u, fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw;
                w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
    return x;
}

// Relative to (1 + ν): the rounding of ν itself, so that a pure tone comes out exact. A noisy
// residual is flat at that scale; Brent's method then ends within some twenty steps anyway.
constexpr double kBinTolerance = 1e-15;
// Sweeps over the free frequencies of tones fitted together, at most: one suffices for one
// tone, and the phasors, solved together, leave little pull between the frequencies.
constexpr int kMaxSweeps = 20;
// A pivot this small against its diagonal marks an unknown that the others already explain.
constexpr double kDependent = 1e-12;

// Solves the symmetric system g·x = r by Gauss-Jordan elimination on the diagonal, as the
// normal equations allow. An unknown that the others already explain (the phase of a tone at
// DC or Nyquist, a tone on top of another) is 0 and left out.
std::vector<double> solveNormalEquations(std::vector<std::vector<double>> g, std::vector<double> r)
{
    const std::size_t size = r.size();
    std::vector<double> original(size);
    for (std::size_t p = 0; p < size; ++p)
        original[p] = g[p][p];
    std::vector<double> x(size, 0.0);
    std::vector<bool> used(size, false);
    for (std::size_t p = 0; p < size; ++p) {
        // Elimination has left in g[p][p] what of this unknown the others do not explain.
        const double diagonal = g[p][p];
        if (!(diagonal > kDependent * original[p]))
            continue;
        used[p] = true;
        for (std::size_t q = 0; q < size; ++q) {
            if (q == p || g[q][p] == 0.0)
                continue;
            const double factor = g[q][p] / diagonal;
            for (std::size_t c = 0; c < size; ++c)
                g[q][c] -= factor * g[p][c];
            r[q] -= factor * r[p];
        }
    }
    for (std::size_t p = 0; p < size; ++p)
        x[p] = used[p] ? r[p] / g[p][p] : 0.0;
    return x;
}

} // namespace

KernelFit::KernelFit(const SpectralWindow& window, const std::vector<std::complex<double>>& bins)
    : window_(window)
    , bins_(bins)
    , reach_(std::size_t(window.mainLobeHalfWidth()))
{
}

BinTone KernelFit::atBin(double bin) const
{
    std::vector<BinTone> tones(1);
    tones[0].bin = bin;
    fitTogether(tones, {true});
    return tones[0];
}

BinTone KernelFit::nearPeak(std::size_t peak) const
{
    std::vector<BinTone> tones(1);
    tones[0].bin = double(peak);
    fitTogether(tones, {false});
    return tones[0];
}

void KernelFit::fitTogether(std::vector<BinTone>& tones, const std::vector<bool>& held) const
{
    std::size_t first = bins_.size() - 1, last = 0;
    for (const BinTone& tone : tones) {
        first = std::min(first, firstBin(tone.bin));
        last = std::max(last, lastBin(tone.bin));
    }
    std::vector<Columns> cols;
    for (const BinTone& tone : tones)
        cols.push_back(columns(tone.bin, first, last));
    solve(cols, first, tones);

    std::vector<double> centres;
    for (const BinTone& tone : tones)
        centres.push_back(std::round(tone.bin));
    const auto freeTones = std::size_t(std::count(held.begin(), held.end(), false));
    for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
        bool moved = false;
        for (std::size_t i = 0; i < tones.size(); ++i) {
            if (held[i])
                continue;
            std::vector<BinTone> trial = tones;
            std::vector<Columns> trialColumns = cols;
            const auto residualAt = [&](double bin) {
                trial[i].bin = bin;
                trialColumns[i] = columns(bin, first, last);
                return solve(trialColumns, first, trial);
            };
            const double low = std::max(centres[i] - 1.0, 0.0);
            const double high = std::min(centres[i] + 1.0, double(bins_.size() - 1));
            const double bin = minimise(residualAt, low, high, kBinTolerance);
            moved = moved || std::abs(bin - tones[i].bin) > 4 * kBinTolerance * (1 + bin);
            tones[i].bin = bin;
            cols[i] = columns(bin, first, last);
            solve(cols, first, tones);
        }
        if (!moved || freeTones <= 1)
            break;
    }
}

std::complex<double> KernelFit::contribution(const BinTone& tone, std::size_t k) const
{
    return tone.phasor * window_.kernel(double(k) - tone.bin) +
           std::conj(tone.phasor) * window_.kernel(double(k) + tone.bin);
}

std::size_t KernelFit::firstBin(double bin) const
{
    const double centre = std::max(std::round(bin), 0.0);
    return centre > double(reach_) ? std::size_t(centre) - reach_ : 0;
}

std::size_t KernelFit::lastBin(double bin) const
{
    const double last = double(bins_.size() - 1);
    return std::size_t(std::min(std::max(std::round(bin), 0.0) + double(reach_), last));
}

KernelFit::Columns KernelFit::columns(double bin, std::size_t first, std::size_t last) const
{
    Columns c;
    for (std::size_t k = first; k <= last; ++k) {
        const std::complex<double> below = window_.kernel(double(k) - bin);
        const std::complex<double> above = window_.kernel(double(k) + bin);
        c.u.push_back(below + above);
        c.v.push_back(std::complex<double>(0, 1) * (below - above));
    }
    return c;
}

double KernelFit::solve(const std::vector<Columns>& columns, std::size_t first,
                        std::vector<BinTone>& tones) const
{
    // The real and imaginary parts of every bin are equations alike: real inner products of
    // complex columns.
    std::vector<const std::vector<std::complex<double>>*> unknowns;
    for (const Columns& c : columns) {
        unknowns.push_back(&c.u);
        unknowns.push_back(&c.v);
    }
    const std::size_t size = unknowns.size();
    const std::size_t rows = unknowns[0]->size();
    std::vector<std::vector<double>> g(size, std::vector<double>(size, 0.0));
    std::vector<double> r(size, 0.0);
    for (std::size_t p = 0; p < size; ++p) {
        for (std::size_t q = p; q < size; ++q) {
            for (std::size_t k = 0; k < rows; ++k)
                g[p][q] += std::real(std::conj((*unknowns[p])[k]) * (*unknowns[q])[k]);
            g[q][p] = g[p][q];
        }
        for (std::size_t k = 0; k < rows; ++k)
            r[p] += std::real(std::conj((*unknowns[p])[k]) * bins_[first + k]);
    }
    const std::vector<double> x = solveNormalEquations(g, r);
    for (std::size_t i = 0; i < tones.size(); ++i)
        tones[i].phasor = {x[2 * i], x[2 * i + 1]};

    double squares = 0;
    for (std::size_t k = 0; k < rows; ++k) {
        std::complex<double> rest = bins_[first + k];
        for (std::size_t p = 0; p < size; ++p)
            rest -= x[p] * (*unknowns[p])[k];
        squares += std::norm(rest);
    }
    return squares;
}
