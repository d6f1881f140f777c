#include "HarmonicAnalysis.h"

#include "KernelFit.h"
#include "SpectralWindow.h"
#include "SpectrumInput.h"
#include "ToneSearch.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr int kHighestOrder = 10;
// A given fundamental is the nearest of this many strongest tones: enough for a fundamental
// among its harmonics and a few spurs.
constexpr std::size_t kCandidates = 12;
constexpr int kRefinePasses = 50;
// A tone asked for by its frequency is one of the candidates at most this far (in amplitude)
// below the strongest: the noise leaves peaks everywhere, nearer than the tone meant.
constexpr double kCandidateFloor = 1e-3;

// The peak of the fundamental: the strongest one, or the tone nearest `wantedBin` when that
// is positive, the other tones taken out first so that none of their side lobes is taken
// for it.
std::size_t fundamentalPeak(const double* y, const SpectralWindow& window, double wantedBin)
{
    ToneSearch search(y, window);
    const std::size_t candidates = wantedBin > 0 ? kCandidates : 1;
    while (search.tones().size() <= candidates && search.addStrongest()) {
    }
    const std::vector<BinTone>& tones = search.tones();
    if (tones.size() < 2)
        throw std::invalid_argument("The curve has no tone to measure.");
    // Tones are found strongest first.
    const double floor = kCandidateFloor * std::abs(tones[1].phasor);
    std::size_t best = 1;
    for (std::size_t i = 2; i < tones.size(); ++i) {
        if (std::abs(tones[i].phasor) >= floor &&
            std::abs(tones[i].bin - wantedBin) < std::abs(tones[best].bin - wantedBin))
            best = i;
    }
    return std::size_t(std::lround(tones[best].bin));
}

double decibels(double powerRatio)
{
    return 10.0 * std::log10(powerRatio);
}

// The noise power, in the signal's unit squared, of what the search left: the mean power of
// the bins that no tone claims, over the whole band. An unweighted bin of white noise holds
// 2σ²/N of its power; the window weighs it by S2, so the noise bandwidth is accounted for.
double noisePower(const ToneSearch& search, const SpectralWindow& window)
{
    const std::vector<std::complex<double>>& residual = search.residual();
    const std::size_t count = window.size();
    double power = 0;
    std::size_t bins = 0;
    // Bin N/2 of an even N is its own mirror: it would count twice as much. What is left of
    // the offset stays in its main lobe.
    for (auto k = std::size_t(window.mainLobeHalfWidth()) + 1; 2 * k < count; ++k) {
        if (!search.claimed(k)) {
            power += std::norm(residual[k]);
            ++bins;
        }
    }
    return bins == 0 ? 0.0 : power / double(bins) / window.sumOfSquares();
}

} // namespace

HarmonicFigures analyseHarmonics(const double* y, std::size_t count, double fs,
                                 std::size_t windowIndex, double fundamentalHz)
{
    checkSpectrumInput(y, count, fs, count);
    const SpectralWindow window(windowIndex, count);
    const double binWidth = fs / double(count);
    ToneSearch search(y, window);
    search.addNear(fundamentalPeak(y, window, fundamentalHz / binWidth));
    search.addHarmonics(1, kHighestOrder);
    search.refine(kRefinePasses);

    // Tone 0 is the offset, 1 the fundamental, then the harmonics in order.
    const std::vector<BinTone>& tones = search.tones();
    HarmonicFigures figures;
    figures.fundamentalHz = tones[1].bin * binWidth;
    figures.fundamentalAmplitude = 2.0 * std::abs(tones[1].phasor);
    if (!(figures.fundamentalAmplitude > 0))
        throw std::invalid_argument("The curve has no tone to measure.");
    double harmonicPower = 0;
    double largestOther = 0;
    for (std::size_t i = 2; i < tones.size(); ++i) {
        Tone harmonic;
        harmonic.frequency = tones[i].bin * binWidth;
        harmonic.amplitude = 2.0 * std::abs(tones[i].phasor);
        harmonic.phase = std::arg(tones[i].phasor);
        figures.harmonics.push_back(harmonic);
        harmonicPower += harmonic.amplitude * harmonic.amplitude / 2.0;
        largestOther = std::max(largestOther, harmonic.amplitude);
    }
    const std::size_t spur = search.strongestPeak();
    if (spur < search.bins()) {
        const KernelFit fit(window, search.residual());
        largestOther = std::max(largestOther, 2.0 * std::abs(fit.nearPeak(spur).phasor));
    }

    const double amplitude = figures.fundamentalAmplitude;
    const double signalPower = amplitude * amplitude / 2.0;
    const double noise = noisePower(search, window);
    const double thd = std::sqrt(harmonicPower / signalPower);
    figures.thdPercent = 100.0 * thd;
    figures.thdDb = 20.0 * std::log10(thd);
    figures.snrDb = decibels(signalPower / noise);
    figures.sinadDb = decibels(signalPower / (noise + harmonicPower));
    figures.thdnDb = -figures.sinadDb;
    figures.enobBits = (figures.sinadDb - 1.76) / 6.02;
    figures.sfdrDbc = largestOther > 0 ? 20.0 * std::log10(amplitude / largestOther)
                                       : std::numeric_limits<double>::infinity();
    return figures;
}
