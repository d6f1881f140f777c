#include "SpectrogramColorMaps.h"

#include <qwt_color_map.h>

namespace {

// The viridis map of van der Walt and Smith, as they published it, at 17 equally spaced
// points of its 256-entry table. Between the points the colours run on in straight lines in
// RGB; at this spacing those lines stay within a step or two of the published table.
constexpr unsigned kViridis[] = {0x440154, 0x48186a, 0x472d7b, 0x424086, 0x3b528b, 0x33638d,
                                 0x2c728e, 0x26828e, 0x21918c, 0x1fa088, 0x28ae80, 0x3fbc73,
                                 0x5ec962, 0x84d44b, 0xaddc30, 0xd8e219, 0xfde725};

QwtLinearColorMap* viridis()
{
    constexpr int last = int(sizeof kViridis / sizeof kViridis[0]) - 1;
    auto* map = new QwtLinearColorMap(QColor(QRgb(kViridis[0])), QColor(QRgb(kViridis[last])));
    for (int i = 1; i < last; ++i)
        map->addColorStop(double(i) / last, QColor(QRgb(kViridis[i])));
    return map;
}

} // namespace

const char* SpectrogramColorMaps::name(int index)
{
    switch (index) {
    case Viridis:
        return "Viridis";
    case Grey:
        return "Grey";
    default:
        return nullptr;
    }
}

QwtLinearColorMap* SpectrogramColorMaps::create(int index)
{
    if (index == Grey)
        return new QwtLinearColorMap(Qt::black, Qt::white);
    return viridis();
}
