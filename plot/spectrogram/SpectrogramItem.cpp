#include "SpectrogramItem.h"

#include "SpectrogramRaster.h"

SpectrogramItem::SpectrogramItem(SpectrogramRaster* raster)
    : levels(raster)
{
    setData(raster);
}

QImage SpectrogramItem::renderImage(const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& area,
                                    const QSize& imageSize) const
{
    levels->setPixelGrid(xMap, yMap, imageSize);
    return QwtPlotSpectrogram::renderImage(xMap, yMap, area, imageSize);
}
