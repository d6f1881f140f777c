#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <vector>

// The textbook sum in long double, unscaled, at the chosen bins: the transforms' yardstick.
// k·t is reduced modulo N as it goes, so every angle comes from an exact fraction of a turn.
inline std::vector<std::complex<long double>> referenceDft(const std::vector<double>& re,
                                                           const std::vector<double>& im,
                                                           const std::vector<std::size_t>& bins)
{
    const std::size_t n = re.size();
    const long double twoPi = 2.0L * std::acos(-1.0L);
    std::vector<long double> cosines(n);
    std::vector<long double> sines(n);
    for (std::size_t t = 0; t < n; ++t) {
        cosines[t] = std::cos(twoPi * (long double)t / (long double)n);
        sines[t] = std::sin(twoPi * (long double)t / (long double)n);
    }
    std::vector<std::complex<long double>> result;
    for (std::size_t k : bins) {
        long double sumRe = 0.0L;
        long double sumIm = 0.0L;
        std::size_t angle = 0;
        for (std::size_t t = 0; t < n; ++t) {
            sumRe += re[t] * cosines[angle] + im[t] * sines[angle];
            sumIm += im[t] * cosines[angle] - re[t] * sines[angle];
            angle += k;
            if (angle >= n)
                angle -= n;
        }
        result.emplace_back(sumRe, sumIm);
    }
    return result;
}

inline std::vector<std::size_t> allBins(std::size_t count)
{
    std::vector<std::size_t> bins(count);
    for (std::size_t k = 0; k < count; ++k)
        bins[k] = k;
    return bins;
}

// max|X − X_ref| / max|X_ref| over the bins given, got[b] belonging to bins[b].
template <class Got>
double relativeErrorOf(const std::vector<std::complex<long double>>& reference, Got got)
{
    long double worst = 0.0L;
    long double largest = 0.0L;
    for (std::size_t b = 0; b < reference.size(); ++b) {
        const std::complex<long double> value = got(b);
        worst = std::max(worst, std::abs(value - reference[b]));
        largest = std::max(largest, std::abs(reference[b]));
    }
    return double(worst / largest);
}
