#pragma once

#include "ToneEstimator.h"

#include <cstddef>
#include <vector>

struct HarmonicFigures {
    double fundamentalHz = 0, fundamentalAmplitude = 0;
    double thdPercent = 0, thdDb = 0, thdnDb = 0, snrDb = 0, sinadDb = 0, enobBits = 0,
           sfdrDbc = 0;
    // orders 2 … 10 below Nyquist, in order (order = index + 2)
    std::vector<Tone> harmonics;
};

// The figures of the fundamental (the strongest tone when fundamentalHz <= 0, else the tone
// nearest that frequency), by the usual definitions: THD = sqrt(Σ A_h²)/A_1 in % and dB;
// SNR = signal power / noise power, noise being every bin except DC, the fundamental and its
// harmonics with their main lobes, scaled by the window's noise bandwidth (the excluded bins'
// share of noise added back at the mean noise density); SINAD = signal / (noise + harmonics);
// THD+N in dB = −SINAD; ENOB = (SINAD − 1.76)/6.02; SFDR = fundamental over the largest other
// component (spur or harmonic), in dBc. Harmonic amplitudes are measured at h·f1 with the
// kernel estimator. A ratio with nothing below it (no noise left, no harmonic) is infinite.
// Refuses what amplitudeSpectrum refuses, and a curve without a tone (all one value), with
// std::invalid_argument.
HarmonicFigures analyseHarmonics(const double* y, std::size_t count, double fs,
                                 std::size_t windowIndex, double fundamentalHz);
