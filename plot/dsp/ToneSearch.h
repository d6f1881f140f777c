#pragma once

#include "KernelFit.h"

#include <complex>
#include <cstddef>
#include <vector>

class SpectralWindow;

// Tones taken out of a windowed signal one by one, strongest first. Each tone found is
// subtracted from the signal, so its side lobes never pass for tones of their own, and each
// claims its main lobe, so it is never found twice. Tone 0 is the offset (DC), always there.
class ToneSearch
{
public:
    // `y`: window.size() values; both must outlive the search.
    ToneSearch(const double* y, const SpectralWindow& window);

    // Fits the strongest local maximum of the residual that no tone claims. False when none
    // is left.
    bool addStrongest();
    // Adds the tone whose peak is at bin `peak`, its frequency free.
    void addNear(std::size_t peak);
    // Adds the harmonics of tone `base`, orders 2 … highestOrder below Nyquist, each held at
    // its order times the base's frequency wherever refinement moves that.
    void addHarmonics(std::size_t base, int highestOrder);
    // Fits every tone again with the others taken out, pass after pass until the residual
    // stops shrinking (or `maxPasses`), so tones near each other stop pulling at each other's
    // estimates.
    void refine(int maxPasses);

    const std::vector<BinTone>& tones() const;
    // The transform of the signal less every tone, bins 0 … N/2.
    const std::vector<std::complex<double>>& residual() const;
    // True when bin k lies within the main lobe of a tone other than the offset, which claims
    // only DC: a tone a bin or two above it can still be found.
    bool claimed(std::size_t k) const;
    // The strongest local maximum of the residual that no tone claims; bins() when none is.
    std::size_t strongestPeak() const;
    std::size_t bins() const;

private:
    void add(const BinTone& tone, bool held, double multiple, std::size_t base);
    // The tones in order of frequency, in groups whose fits read some bins in common.
    std::vector<std::vector<std::size_t>> overlappingGroups(const KernelFit& fit) const;
    // Subtracts tone i from the signal and claims its main lobe.
    void takeOut(std::size_t i);
    void transformRest();

    const double* y_;
    const SpectralWindow& window_;
    // The signal less every tone.
    std::vector<double> rest_;
    std::vector<BinTone> tones_;
    // A held tone lies at multiple_ × the frequency of tone base_; the offset is multiple 0.
    std::vector<bool> held_;
    std::vector<double> multiple_;
    std::vector<std::size_t> base_;
    std::vector<std::complex<double>> residual_;
    std::vector<bool> claimed_;
};
