#pragma once

#include <qwt_plot_spectrogram.h>

class SpectrogramRaster;

// The plot item of a spectrogram: Qwt's, telling its raster the pixel grid of each image
// before asking it for values, so that the raster can pool the cells behind every pixel.
class SpectrogramItem : public QwtPlotSpectrogram
{
public:
    // The item owns `raster`.
    explicit SpectrogramItem(SpectrogramRaster* raster);

    const SpectrogramRaster& raster() const { return *levels; }
    SpectrogramRaster& raster() { return *levels; }

protected:
    QImage renderImage(const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& area,
                       const QSize& imageSize) const override;

private:
    SpectrogramRaster* levels;
};
