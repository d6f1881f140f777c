#include "SpectrogramRaster.h"

#include "Spectrogram.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr int kMantissaBits = 12;
constexpr double kDecibelsPerOctave = 3.01029995663981195214;

// log2 of 1 + the mantissa at the middle of each of its 2^12 steps.
const std::array<float, 1 << kMantissaBits>& mantissaLog2()
{
    static const auto table = [] {
        std::array<float, 1 << kMantissaBits> values{};
        for (std::size_t m = 0; m < values.size(); ++m)
            values[m] = float(std::log2(1.0 + (double(m) + 0.5) / double(values.size())));
        return values;
    }();
    return table;
}

// 10·log10(value) from the float's exponent and the first 12 bits of its mantissa, within
// 0.001 dB: far finer than a colour, and no call into the maths library for every pixel,
// whose vector versions run ten times slower when the painter's vector code runs beside them.
float decibels(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int exponent = int(bits >> 23);
    // Zero and the subnormal floats, which the table does not cover.
    if (exponent == 0)
        return float(10.0 * std::log10(double(value)));
    const float octaves = float(exponent - 127) + mantissaLog2()[(bits >> (23 - kMantissaBits)) & 0xfffu];
    return float(kDecibelsPerOctave * octaves);
}

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

// Columns that cover the same segments, as they do when zoomed in, are pooled once. The
// highest density is found first and its level taken after, once per pixel.
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
    for (float& pixel : pooled)
        pixel = float(double(decibels(pixel)) + levelOffset);
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
    return pooled[std::size_t(row) * std::size_t(gridSize.width()) + std::size_t(column)];
}
