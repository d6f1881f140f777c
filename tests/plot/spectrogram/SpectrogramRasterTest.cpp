#include "SpectralWindow.h"
#include "Spectrogram.h"
#include "spectrogram/SpectrogramRaster.h"

#include <qwt_scale_engine.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

const double kFs = 1024;
const std::size_t kLength = 16;
const std::size_t kSegments = 1000;
const std::size_t kClick = 537;
// How closely a pixel's level follows the density it shows, in dB.
const double kPixelLevel = 1e-3;

// A faint tone on bin 4 throughout, and in segment kClick alone a loud one on bin 6.
std::shared_ptr<const Spectrogram> faintToneAndAClick()
{
    std::vector<double> y(kLength * kSegments);
    for (std::size_t n = 0; n < y.size(); ++n) {
        y[n] = 1e-3 * std::sin(2 * M_PI * 4 * double(n) / kLength);
        if (n / kLength == kClick)
            y[n] += std::sin(2 * M_PI * 6 * double(n) / kLength);
    }
    return std::make_shared<const Spectrogram>(y.data(), y.size(), kFs, kLength, 0.0,
                                               std::size_t(spectralWindowIndex("Hann")));
}

// Maps as Qwt makes them for an image of `pixels` in screen resolution: the first pixel at one
// end of the interval, the last at the other; y runs downwards.
QwtScaleMap imageMap(const QwtInterval& interval, int pixels, bool vertical, bool logarithmic = false)
{
    QwtScaleMap map;
    if (logarithmic)
        map.setTransformation(new QwtLogTransform);
    map.setPaintInterval(0, pixels - 1);
    if (vertical)
        map.setScaleInterval(interval.maxValue(), interval.minValue());
    else
        map.setScaleInterval(interval.minValue(), interval.maxValue());
    return map;
}

class SpectrogramRasterTest : public ::testing::Test
{
protected:
    // Renders the raster as the item does, then reads pixel (column, row).
    void render(const QwtInterval& time, const QwtInterval& frequency, int width, int height, bool log = false)
    {
        xMap = imageMap(time, width, false);
        yMap = imageMap(frequency, height, true, log);
        raster.setPixelGrid(xMap, yMap, QSize(width, height));
        raster.initRaster(QRectF(), QSize(width, height));
    }
    double pixel(int column, int row) const { return raster.value(xMap.invTransform(column), yMap.invTransform(row)); }

    std::shared_ptr<const Spectrogram> spectrogram = faintToneAndAClick();
    SpectrogramRaster raster{spectrogram, 100.0};
    QwtScaleMap xMap;
    QwtScaleMap yMap;
};

TEST_F(SpectrogramRasterTest, CellsSpanAStepAndABinAroundTheirCentres)
{
    const double step = kLength / kFs;
    EXPECT_DOUBLE_EQ(raster.timeExtent().minValue(), 100.0);
    EXPECT_DOUBLE_EQ(raster.timeExtent().maxValue(), 100.0 + kSegments * step);
    EXPECT_EQ(raster.frequencyExtent().maxValue(), kFs / 2);
    EXPECT_EQ(raster.levelAt(100.0 + (kClick + 0.99) * step, 6 * 64 + 31.9), spectrogram->level(kClick, 6));
    EXPECT_EQ(raster.levelAt(100.0 + (kClick + 1.01) * step, 6 * 64 + 32.1), spectrogram->level(kClick + 1, 7));
    EXPECT_TRUE(std::isnan(raster.levelAt(99.99, 100)));
    EXPECT_TRUE(std::isnan(raster.levelAt(101, kFs / 2 + 1)));
    EXPECT_EQ(raster.highestLevel(), spectrogram->level(kClick, 6));
}

// Zoomed out to 100 columns of about ten segments each, the one column that holds the click
// shows its level in the row of its bin, also where a row spans four bins; the columns beside
// it show the faint tone, and so does the last one, which holds the last five segments.
TEST_F(SpectrogramRasterTest, AClickStaysVisibleZoomedOut)
{
    render(raster.timeExtent(), raster.frequencyExtent(), 100, 9);
    const int clickColumn = int(kClick / 10);
    const int row = 8 - 6;
    EXPECT_NEAR(pixel(clickColumn, row), spectrogram->level(kClick, 6), kPixelLevel);
    EXPECT_LT(pixel(clickColumn - 1, row), spectrogram->level(kClick, 6) - 100);
    EXPECT_LT(pixel(clickColumn + 1, row), spectrogram->level(kClick, 6) - 100);
    double lastTone = -INFINITY;
    for (std::size_t i = kSegments - 5; i < kSegments; ++i)
        lastTone = std::max(lastTone, spectrogram->level(i, 4));
    EXPECT_NEAR(pixel(99, 8 - 4), lastTone, kPixelLevel);

    render(raster.timeExtent(), raster.frequencyExtent(), 100, 3);
    EXPECT_NEAR(pixel(clickColumn, 0), spectrogram->level(kClick, 6), kPixelLevel);
}

// Zoomed in to 400 columns over 4 segments, every pixel shows the cell under its centre; the
// edge of the view lies on the edge of a cell, so its pixels are left out.
TEST_F(SpectrogramRasterTest, ZoomedInEachPixelShowsTheCellUnderIt)
{
    const double step = kLength / kFs;
    const QwtInterval four(100.0 + 535 * step, 100.0 + 539 * step);
    render(four, raster.frequencyExtent(), 400, 9);
    for (int column : {1, 99, 101, 199, 201, 398}) {
        const std::size_t segment = 535 + std::size_t(column * 4 / 399);
        EXPECT_NEAR(pixel(column, 8 - 6), spectrogram->level(segment, 6), kPixelLevel) << column;
    }
}

// On a logarithmic axis the rows follow the axis: the bottom ones, narrower than a bin,
// show bin 1, the top one the Nyquist bin, and the tone stands in the row of 256 Hz.
TEST_F(SpectrogramRasterTest, LogarithmicRowsFollowTheAxis)
{
    render(raster.timeExtent(), QwtInterval(48, kFs / 2), 100, 40, true);
    const int clickColumn = int(kClick / 10);
    EXPECT_NEAR(pixel(clickColumn, 39), spectrogram->level(kClick, 1), kPixelLevel);
    EXPECT_NEAR(pixel(clickColumn, 0), spectrogram->level(kClick, 8), kPixelLevel);
    double tone = -INFINITY;
    for (std::size_t i = 520; i < 530; ++i)
        tone = std::max(tone, spectrogram->level(i, 4));
    EXPECT_NEAR(pixel(clickColumn - 1, int(std::lround(yMap.transform(4 * 64)))), tone, kPixelLevel);
}

} // namespace
