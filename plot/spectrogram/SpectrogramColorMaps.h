#pragma once

class QwtLinearColorMap;

// The colour maps of the spectrogram, from the lowest level to the highest. The default is
// perceptually uniform: equal steps in level look like equal steps in colour, and its
// lightness rises throughout, so it still reads in grey print and to most colour-blind eyes.
class SpectrogramColorMaps
{
public:
    enum Index { Viridis, Grey, Count };

    // The name a menu shows; null outside the list.
    static const char* name(int index);
    // A new map, which the caller owns; an index outside the list gives the default.
    static QwtLinearColorMap* create(int index);
};
