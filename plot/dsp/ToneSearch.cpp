#include "ToneSearch.h"

#include "SpectralWindow.h"
#include "WindowedTransform.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846264338327950288;
// Refinement stops when a pass takes less than this share off the residual's energy: the
// tones' pull on each other is then a thousandth of the noise in amplitude, or rounding.
constexpr double kSettled = 1e-6;

double energy(const std::vector<std::complex<double>>& bins)
{
    double sum = 0;
    for (const std::complex<double>& bin : bins)
        sum += std::norm(bin);
    return sum;
}

// Subtracts A·cos(2πνn/N + φ) = 2·Re(c·e^(2πiνn/N)) from y. The phasor advances by
// multiplication and is set afresh from the angle every so often, so rounding never
// accumulates over more than a few hundred steps.
void subtract(const BinTone& tone, std::vector<double>& y)
{
    constexpr std::size_t kReanchor = 256;
    const double step = 2.0 * kPi * tone.bin / double(y.size());
    const std::complex<double> rotation = std::polar(1.0, step);
    std::complex<double> phasor;
    for (std::size_t n = 0; n < y.size(); ++n) {
        phasor = n % kReanchor == 0 ? std::polar(1.0, step * double(n)) : phasor * rotation;
        y[n] -= 2.0 * std::real(tone.phasor * phasor);
    }
}

} // namespace

ToneSearch::ToneSearch(const double* y, const SpectralWindow& window)
    : y_(y)
    , window_(window)
    , rest_(y, y + window.size())
    , residual_(windowedTransform(y, window))
    , claimed_(residual_.size(), false)
{
    add(KernelFit(window_, residual_).atBin(0.0), true, 0.0, 0);
    transformRest();
}

bool ToneSearch::addStrongest()
{
    const std::size_t peak = strongestPeak();
    if (peak == bins())
        return false;
    addNear(peak);
    return true;
}

void ToneSearch::addNear(std::size_t peak)
{
    add(KernelFit(window_, residual_).nearPeak(peak), false, 1.0, tones_.size());
    transformRest();
}

void ToneSearch::addHarmonics(std::size_t base, int highestOrder)
{
    const KernelFit fit(window_, residual_);
    const double nyquist = double(window_.size()) / 2.0;
    for (int order = 2; order <= highestOrder && order * tones_[base].bin < nyquist; ++order)
        add(fit.atBin(order * tones_[base].bin), true, order, base);
    transformRest();
}

void ToneSearch::refine(int maxPasses)
{
    const KernelFit fit(window_, residual_);
    double before = energy(residual_);
    for (int pass = 0; pass < maxPasses && before > 0; ++pass) {
        const std::vector<BinTone> subtracted = tones_;
        for (std::size_t i = 0; i < tones_.size(); ++i) {
            if (held_[i])
                tones_[i].bin = multiple_[i] * tones_[base_[i]].bin;
        }
        for (const std::vector<std::size_t>& group : overlappingGroups(fit)) {
            // Only the bins the fit reads need the tones put back; taking the new estimates
            // out of them at once lets the next group's fit see them.
            std::vector<BinTone> tones;
            std::vector<bool> held;
            for (std::size_t i : group) {
                tones.push_back(tones_[i]);
                held.push_back(held_[i]);
            }
            const std::size_t first = fit.firstBin(tones.front().bin);
            const std::size_t last = fit.lastBin(tones.back().bin);
            for (std::size_t i : group) {
                for (std::size_t k = first; k <= last; ++k)
                    residual_[k] += fit.contribution(subtracted[i], k);
            }
            fit.fitTogether(tones, held);
            for (std::size_t j = 0; j < group.size(); ++j) {
                tones_[group[j]] = tones[j];
                for (std::size_t k = first; k <= last; ++k)
                    residual_[k] -= fit.contribution(tones[j], k);
            }
        }
        rest_.assign(y_, y_ + window_.size());
        std::fill(claimed_.begin(), claimed_.end(), false);
        for (std::size_t i = 0; i < tones_.size(); ++i)
            takeOut(i);
        transformRest();
        const double after = energy(residual_);
        if (after >= (1.0 - kSettled) * before)
            break;
        before = after;
    }
}

const std::vector<BinTone>& ToneSearch::tones() const
{
    return tones_;
}

const std::vector<std::complex<double>>& ToneSearch::residual() const
{
    return residual_;
}

bool ToneSearch::claimed(std::size_t k) const
{
    return claimed_[k];
}

std::size_t ToneSearch::strongestPeak() const
{
    std::size_t peak = bins();
    double strongest = 0;
    for (std::size_t k = 1; k < bins(); ++k) {
        const double level = std::abs(residual_[k]);
        const bool local = level >= std::abs(residual_[k - 1]) &&
                           (k + 1 == bins() || level >= std::abs(residual_[k + 1]));
        if (local && level > strongest && !claimed(k)) {
            peak = k;
            strongest = level;
        }
    }
    return peak;
}

std::size_t ToneSearch::bins() const
{
    return residual_.size();
}

std::vector<std::vector<std::size_t>> ToneSearch::overlappingGroups(const KernelFit& fit) const
{
    std::vector<std::size_t> order(tones_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return tones_[a].bin < tones_[b].bin; });
    std::vector<std::vector<std::size_t>> groups;
    std::size_t reached = 0;
    for (std::size_t i : order) {
        if (groups.empty() || fit.firstBin(tones_[i].bin) > reached)
            groups.emplace_back();
        groups.back().push_back(i);
        reached = std::max(reached, fit.lastBin(tones_[i].bin));
    }
    return groups;
}

void ToneSearch::add(const BinTone& tone, bool held, double multiple, std::size_t base)
{
    tones_.push_back(tone);
    held_.push_back(held);
    multiple_.push_back(multiple);
    base_.push_back(base);
    takeOut(tones_.size() - 1);
}

void ToneSearch::takeOut(std::size_t i)
{
    subtract(tones_[i], rest_);
    if (i == 0)
        return;
    const double reach = window_.mainLobeHalfWidth();
    const double low = std::max(std::ceil(tones_[i].bin - reach), 0.0);
    const double high = std::min(std::floor(tones_[i].bin + reach), double(bins() - 1));
    for (double k = low; k <= high; ++k)
        claimed_[std::size_t(k)] = true;
}

void ToneSearch::transformRest()
{
    residual_ = windowedTransform(rest_.data(), window_);
}
