#pragma once

#include <qwt_raster_data.h>
#include <qwt_scale_map.h>

#include <QSize>

#include <cstddef>
#include <memory>
#include <vector>

class Spectrogram;

// A spectrogram's levels in dB as QwtPlotSpectrogram asks for them, one per pixel of the image
// it renders. x is the time of a segment plus `timeOrigin`, y the frequency in Hz; segment i
// fills the time cell of one step around its centre, bin k the frequency cell of one bin
// around f_k. Before each image the item passes its pixel grid, and initRaster pools the
// matrix into a raster of exactly those pixels: each pixel shows the highest level among the
// cells whose centres it covers, or the cell under it when it covers none. So a click or a
// narrow line stays visible however far out the view is zoomed, a value is one lookup, and
// redrawing a zoomed view reads only the cells it shows.
class SpectrogramRaster : public QwtRasterData
{
public:
    SpectrogramRaster(std::shared_ptr<const Spectrogram> spectrogram, double timeOrigin);
    ~SpectrogramRaster() override;

    // Where the cells lie: x from the first segment's cell to the last one's, y from 0 Hz to fs/2.
    QwtInterval timeExtent() const;
    QwtInterval frequencyExtent() const;
    // fs/L: the height of a frequency cell.
    double binWidth() const { return binHz; }
    // The level of the cell at (x, frequency), unpooled; NaN outside the cells.
    double levelAt(double x, double frequency) const;
    // The highest level of the whole matrix; −∞ when every density is 0.
    double highestLevel() const;

    // The maps from x and y to the pixels of the next image, and its size.
    void setPixelGrid(const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QSize& size);

    void initRaster(const QRectF& area, const QSize& raster) override;
    void discardRaster() override;
    double value(double x, double y) const override;

private:
    // Cells [first, last] whose centres lie in a pixel, or the cell under its centre.
    struct Span {
        std::size_t first = 0;
        std::size_t last = 0;
    };
    std::vector<Span> pixelSpans(const QwtScaleMap& map, int pixels, double origin, double cellWidth,
                                 std::size_t cells) const;
    // The pooled column of bins for time span `span`, in `column`.
    void poolSegments(const Span& span, std::size_t firstBin, std::size_t lastBin, std::vector<float>& column) const;

    std::shared_ptr<const Spectrogram> spectrogram;
    double timeOrigin = 0;
    // Seconds from x of the first segment's centre, and seconds and Hz from one cell to the next.
    double firstCentre = 0;
    double stepSeconds = 1;
    double binHz = 1;
    // The spectrogram's levelOffset(), read once per pixel.
    double levelOffset = 0;
    QwtScaleMap xMap;
    QwtScaleMap yMap;
    QSize gridSize;
    // The level of each pixel in dB, row by row from the first pixel row.
    std::vector<float> pooled;
};
