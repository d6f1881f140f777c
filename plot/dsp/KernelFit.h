#pragma once

#include <complex>
#include <cstddef>
#include <vector>

class SpectralWindow;

// A real tone in bins: ν = f·N/fs, and its phasor c = (A/2)·e^(iφ), so the tone is
// A·cos(2π·ν·n/N + φ) = c·e^(2πiνn/N) + conj(c)·e^(−2πiνn/N).
struct BinTone {
    double bin = 0;
    std::complex<double> phasor;
};

// Fits tones to the bins of a windowed transform by the window's known kernel W: a tone's
// bins are X_k = c·W(k − ν) + conj(c)·W(k + ν), its negative-frequency image included, so a
// pure tone is matched exactly wherever it lies between two bins. Given the frequencies, the
// phasors are a linear least-squares fit over the bins about the tones; a free frequency is
// the ν whose fit leaves the least residual. Tones whose main lobes overlap are fitted
// together: one alone would take the other's share of the bins they both cover.
class KernelFit
{
public:
    // `window` and `bins` (the transform's bins 0 … N/2) must outlive the fit.
    KernelFit(const SpectralWindow& window, const std::vector<std::complex<double>>& bins);

    // The tone at ν = bin, the frequency held.
    BinTone atBin(double bin) const;
    // The tone whose peak is at bin `peak`, its frequency searched within a bin either side.
    BinTone nearPeak(std::size_t peak) const;
    // Fits `tones` together: held ones at their frequency, the others searched within a bin
    // either side of theirs.
    void fitTogether(std::vector<BinTone>& tones, const std::vector<bool>& held) const;

    // What `tone` contributes to bin k.
    std::complex<double> contribution(const BinTone& tone, std::size_t k) const;
    // The first and last bin that a fit of a tone at ν = bin reads: its main lobe's half
    // width either side of the nearest bin, which gives even the rectangular window more
    // equations than unknowns.
    std::size_t firstBin(double bin) const;
    std::size_t lastBin(double bin) const;

private:
    // A tone's two columns of the least-squares problem over bins first_ … : X_k = a·U_k +
    // b·V_k with c = a + ib, U = W₋ + W₊, V = i(W₋ − W₊).
    struct Columns {
        std::vector<std::complex<double>> u;
        std::vector<std::complex<double>> v;
    };

    Columns columns(double bin, std::size_t first, std::size_t last) const;
    // The phasors of `tones` for their columns, and the squares they leave.
    double solve(const std::vector<Columns>& columns, std::size_t first,
                 std::vector<BinTone>& tones) const;

    const SpectralWindow& window_;
    const std::vector<std::complex<double>>& bins_;
    std::size_t reach_;
};
