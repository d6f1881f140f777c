#pragma once

#include "SosCascade.h"

// Butterworth filters designed as the textbook does: the analogue prototype's poles on the
// left half of the unit circle, moved to the cutoff (low-pass), inverted (high-pass) or split
// about the centre √(ω1·ω2) (band-pass), then mapped to z by the bilinear transform
// s = 2·fs·(z − 1)/(z + 1). Each cutoff is prewarped, ω = 2·fs·tan(π·f/fs), so that the
// digital filter is exactly 3.01 dB down at the frequencies asked for.
//
// The poles pair into second-order sections, each scaled to a gain of 1 where the filter
// passes most: at 0 Hz (low-pass), at fs/2 (high-pass), at the centre (band-pass).
class Butterworth
{
public:
    enum class Band { LowPass, HighPass, BandPass };

    static constexpr int kMinOrder = 1;
    static constexpr int kMaxOrder = 8;

    // `low` is the cutoff of a low- or high-pass filter and the lower edge of a band, `high`
    // the upper edge of a band; a band-pass filter of order N has 2·N poles. Throws
    // std::invalid_argument with a message for the user for an order outside 1 to 8, a
    // sampling frequency that is not a positive number, or cutoffs outside (0, fs/2) or out
    // of order.
    static SosCascade design(Band band, int order, double fs, double low, double high = 0);
};
