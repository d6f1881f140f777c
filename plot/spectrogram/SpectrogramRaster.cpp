#include "SpectrogramRaster.h"

#include "Spectrogram.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The cell whose centre is nearest `index`, which may lie anywhere.
std::size_t nearestCell(double index, std::size_t cells)
{
    return std::size_t(std::clamp(std::round(index), 0.0, double(cells - 1)));
}

} // namespace

SpectrogramRaster::SpectrogramRaster(std::shared_ptr<const Spectrogram> spectrogram, double timeOrigin)
    : spectrogram(std::move(spectrogram))
    , timeOrigin(timeOrigin)
{
    const Spectrogram& s = *this->spectrogram;
    firstCentre = timeOrigin + s.time(0);
    stepSeconds = double(s.step()) / s.sampleRate();
    binHz = s.sampleRate() / double(s.length());
    levelOffset = s.levelOffset();
    setInterval(Qt::XAxis, timeExtent());
    setInterval(Qt::YAxis, frequencyExtent());
}

SpectrogramRaster::~SpectrogramRaster() = default;

QwtInterval SpectrogramRaster::timeExtent() const
{
    const double lastCentre = firstCentre + double(spectrogram->segments() - 1) * stepSeconds;
    return QwtInterval(firstCentre - stepSeconds / 2, lastCentre + stepSeconds / 2);
}

QwtInterval SpectrogramRaster::frequencyExtent() const
{
    return QwtInterval(0.0, spectrogram->sampleRate() / 2);
}

double SpectrogramRaster::levelAt(double x, double frequency) const
{
    if (!timeExtent().contains(x) || !frequencyExtent().contains(frequency))
        return std::numeric_limits<double>::quiet_NaN();
    const std::size_t segment = nearestCell((x - firstCentre) / stepSeconds, spectrogram->segments());
    return spectrogram->level(segment, nearestCell(frequency / binHz, spectrogram->bins()));
}

double SpectrogramRaster::highestLevel() const
{
    const Spectrogram& s = *spectrogram;
    const float* first = s.row(0);
    const float highest = *std::max_element(first, first + s.segments() * s.bins());
    return 10.0 * std::log10(double(highest)) + s.levelOffset();
}

void SpectrogramRaster::setPixelGrid(const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QSize& size)
{
    this->xMap = xMap;
    this->yMap = yMap;
    gridSize = size;
}

// Pixel p of an image stands for the coordinates from p − ½ to p + ½ of its map.
std::vector<SpectrogramRaster::Span> SpectrogramRaster::pixelSpans(const QwtScaleMap& map, int pixels,
                                                                   double origin, double cellWidth,
                                                                   std::size_t cells) const
{
    std::vector<Span> spans(std::size_t(std::max(pixels, 0)));
    for (int p = 0; p < pixels; ++p) {
        double from = (map.invTransform(p - 0.5) - origin) / cellWidth;
        double to = (map.invTransform(p + 0.5) - origin) / cellWidth;
        if (from > to)
            std::swap(from, to);
        const double first = std::max(std::ceil(from), 0.0);
        const double last = std::min(std::ceil(to) - 1.0, double(cells - 1));
        Span& span = spans[std::size_t(p)];
        if (first <= last) {
            span.first = std::size_t(first);
            span.last = std::size_t(last);
        } else {
            span.first = span.last = nearestCell((map.invTransform(p) - origin) / cellWidth, cells);
        }
    }
    return spans;
}

void SpectrogramRaster::poolSegments(const Span& span, std::size_t firstBin, std::size_t lastBin,
                                     std::vector<float>& column) const
{
    const float* start = spectrogram->row(span.first);
    column.assign(start + firstBin, start + lastBin + 1);
    for (std::size_t i = span.first + 1; i <= span.last; ++i) {
        const float* row = spectrogram->row(i);
        for (std::size_t k = firstBin; k <= lastBin; ++k)
            column[k - firstBin] = std::max(column[k - firstBin], row[k]);
    }
}

// Columns that cover the same segments, as they do when zoomed in, are pooled once.
void SpectrogramRaster::initRaster(const QRectF&, const QSize& raster)
{
    pooled.clear();
    if (raster != gridSize || raster.isEmpty())
        return;
    const int width = raster.width();
    const int height = raster.height();
    const std::vector<Span> columns = pixelSpans(xMap, width, firstCentre, stepSeconds, spectrogram->segments());
    const std::vector<Span> rows = pixelSpans(yMap, height, 0.0, binHz, spectrogram->bins());
    std::size_t firstBin = rows.front().first;
    std::size_t lastBin = rows.front().last;
    for (const Span& row : rows) {
        firstBin = std::min(firstBin, row.first);
        lastBin = std::max(lastBin, row.last);
    }
    pooled.resize(std::size_t(width) * std::size_t(height));
    std::vector<float> column;
    for (int c = 0; c < width; ++c) {
        const Span& span = columns[std::size_t(c)];
        const bool repeated = c > 0 && span.first == columns[std::size_t(c) - 1].first &&
                              span.last == columns[std::size_t(c) - 1].last;
        if (!repeated)
            poolSegments(span, firstBin, lastBin, column);
        for (int r = 0; r < height; ++r) {
            float& pixel = pooled[std::size_t(r) * std::size_t(width) + std::size_t(c)];
            if (repeated) {
                pixel = *(&pixel - 1);
                continue;
            }
            const Span& bins = rows[std::size_t(r)];
            pixel = *std::max_element(column.begin() + std::ptrdiff_t(bins.first - firstBin),
                                      column.begin() + std::ptrdiff_t(bins.last - firstBin + 1));
        }
    }
}

void SpectrogramRaster::discardRaster()
{
    pooled.clear();
    pooled.shrink_to_fit();
}

double SpectrogramRaster::value(double x, double y) const
{
    if (pooled.empty())
        return std::numeric_limits<double>::quiet_NaN();
    const double column = std::clamp(std::round(xMap.transform(x)), 0.0, double(gridSize.width() - 1));
    const double row = std::clamp(std::round(yMap.transform(y)), 0.0, double(gridSize.height() - 1));
    const float pooledValue = pooled[std::size_t(row) * std::size_t(gridSize.width()) + std::size_t(column)];
    return 10.0 * std::log10(double(pooledValue)) + levelOffset;
}
