#pragma once

#include <cstddef>
#include <vector>

struct Tone {
    double frequency = 0;
    double amplitude = 0;
    // radians, of a cosine at the first sample
    double phase = 0;
};

// The `maxTones` strongest tones, strongest first. Frequency and amplitude are estimated
// between bins from the window's known kernel, not a parabola, so a pure tone comes out exact
// to rounding, its negative-frequency image taken into account. Tones are local maxima of the
// amplitude spectrum; each tone found claims its main lobe, so no tone is reported twice.
// Refuses what amplitudeSpectrum refuses.
std::vector<Tone> findTones(const double* y, std::size_t count, double fs,
                            std::size_t windowIndex, std::size_t maxTones);
