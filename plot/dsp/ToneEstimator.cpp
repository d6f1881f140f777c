#include "ToneEstimator.h"

#include "SpectralWindow.h"
#include "SpectrumInput.h"
#include "ToneSearch.h"

#include <algorithm>
#include <cmath>

namespace {

// Each pass shrinks the pull between two tones by about the side-lobe level between them:
// tones far apart settle in two or three passes, tones within each other's main lobes in
// some dozens.
constexpr int kRefinePasses = 50;

} // namespace

std::vector<Tone> findTones(const double* y, std::size_t count, double fs,
                            std::size_t windowIndex, std::size_t maxTones)
{
    checkSpectrumInput(y, count, fs, count);
    if (maxTones == 0)
        return {};
    const SpectralWindow window(windowIndex, count);
    ToneSearch search(y, window);
    while (search.tones().size() <= maxTones && search.addStrongest()) {
    }
    search.refine(kRefinePasses);

    std::vector<Tone> tones;
    // Tone 0 of the search is the offset, no tone.
    for (std::size_t i = 1; i < search.tones().size(); ++i) {
        const BinTone& found = search.tones()[i];
        Tone tone;
        tone.frequency = found.bin * fs / double(count);
        tone.amplitude = 2.0 * std::abs(found.phasor);
        tone.phase = std::arg(found.phasor);
        tones.push_back(tone);
    }
    std::stable_sort(tones.begin(), tones.end(), [](const Tone& a, const Tone& b) {
        return a.amplitude > b.amplitude;
    });
    return tones;
}
