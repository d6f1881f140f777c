#pragma once

#include "TimeAxis.h"

#include <qwt_interval.h>
#include <qwt_plot.h>

#include <memory>

class Spectrogram;
class SpectrogramItem;
class SpectrogramRaster;

// A spectrogram drawn as a plot: time on x, in seconds from the curve's first value or as the
// dates and times of the segments, frequency on y, linear or logarithmic, and the level in dB
// as colour, with its colour bar on the right. The window shows it and kurvo-render renders
// it offscreen, so both draw the same picture.
class SpectrogramPlot : public QwtPlot
{
public:
    // Levels span this many dB below the top unless told otherwise: a 16-bit recording's
    // noise floor lies about as far below its loudest tone.
    static constexpr double kDefaultRange = 100;

    explicit SpectrogramPlot(QWidget* parent = nullptr);
    ~SpectrogramPlot() override;

    // Null until a spectrogram is shown.
    const SpectrogramRaster* raster() const;
    bool logFrequency() const { return logarithmic; }
    int colorMap() const { return mapIndex; }
    // The levels the colours span, lowest to highest.
    QwtInterval levelRange() const;
    // Where the cells lie, in plot coordinates: the view zoomed all the way out.
    QRectF extent() const;

    // With `dates`, x is `timeOrigin` (the curve's first x, a date and time) plus the time of
    // each segment; else the time alone. The level range and colour map stay as they were.
    void setSpectrogram(std::shared_ptr<const Spectrogram> spectrogram, double timeOrigin, bool dates);
    void setLogFrequency(bool on);
    void setColorMap(int index);
    // Colours span from top − range to top dB. A NaN top follows the highest level of each
    // spectrogram shown, rounded up to a whole 10 dB; range > 0.
    void setLevelRange(double top, double range);

    // Time, frequency and the level of the cell under `pos`, which is in plot coordinates.
    QString trackerText(const QPointF& pos) const;

private:
    void showFrequencyAxis();
    void showLevels();

    TimeAxis timeAxis;
    SpectrogramItem* item = nullptr;
    bool logarithmic = false;
    int mapIndex = 0;
    double top;
    double range = kDefaultRange;
};
