#include "SpectrogramPlot.h"

#include "PlotTranslation.h"
#include "SpectrogramColorMaps.h"
#include "SpectrogramItem.h"
#include "SpectrogramRaster.h"
#include "TimeText.h"

#include <qwt_color_map.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_widget.h>

#include <cmath>
#include <limits>

namespace {

const double kSecondsPerMinute = 60.0;

} // namespace

SpectrogramPlot::SpectrogramPlot(QWidget* parent)
    : QwtPlot(parent)
    , timeAxis(this)
    , top(std::numeric_limits<double>::quiet_NaN())
{
    setObjectName(QStringLiteral("spectrogramPlot"));
    setAxisTitle(QwtPlot::yLeft, translated("Frequency (Hz)"));
    setAxisTitle(QwtPlot::yRight, translated("Level (dB)"));
    setAxisTitle(QwtPlot::xBottom, translated("Time (s)"));
    enableAxis(QwtPlot::yRight);
    axisWidget(QwtPlot::yRight)->setColorBarEnabled(true);
    axisWidget(QwtPlot::yRight)->setColorBarWidth(16);
}

SpectrogramPlot::~SpectrogramPlot() = default;

const SpectrogramRaster* SpectrogramPlot::raster() const
{
    return item ? &item->raster() : nullptr;
}

QwtInterval SpectrogramPlot::levelRange() const
{
    double highest = top;
    if (std::isnan(highest)) {
        const double loudest = item ? item->raster().highestLevel() : 0.0;
        highest = std::isfinite(loudest) ? 10.0 * std::ceil(loudest / 10.0) : 0.0;
    }
    return QwtInterval(highest - range, highest);
}

QRectF SpectrogramPlot::extent() const
{
    if (!item)
        return QRectF();
    const QwtInterval time = item->raster().timeExtent();
    QwtInterval frequency = item->raster().frequencyExtent();
    // A logarithmic axis has no 0 Hz: it starts at the lower edge of the first bin above it.
    if (logarithmic)
        frequency.setMinValue(item->raster().binWidth() / 2);
    return QRectF(time.minValue(), frequency.minValue(), time.width(), frequency.width());
}

void SpectrogramPlot::setSpectrogram(std::shared_ptr<const Spectrogram> spectrogram, double timeOrigin, bool dates)
{
    auto* raster = new SpectrogramRaster(std::move(spectrogram), dates ? timeOrigin : 0.0);
    delete item;
    item = new SpectrogramItem(raster);
    item->attach(this);
    timeAxis.setCurvesHaveTime(dates);
    setAxisTitle(QwtPlot::xBottom, translated(dates ? "Time (UTC)" : "Time (s)"));
    const QwtInterval time = raster->timeExtent();
    setAxisScale(QwtPlot::xBottom, time.minValue(), time.maxValue());
    showFrequencyAxis();
    showLevels();
}

void SpectrogramPlot::setLogFrequency(bool on)
{
    logarithmic = on;
    showFrequencyAxis();
    replot();
}

void SpectrogramPlot::setColorMap(int index)
{
    mapIndex = SpectrogramColorMaps::name(index) ? index : 0;
    showLevels();
}

void SpectrogramPlot::setLevelRange(double top, double range)
{
    this->top = top;
    this->range = range;
    showLevels();
}

void SpectrogramPlot::showFrequencyAxis()
{
    if (logarithmic)
        setAxisScaleEngine(QwtPlot::yLeft, new QwtLogScaleEngine(10));
    else
        setAxisScaleEngine(QwtPlot::yLeft, new QwtLinearScaleEngine(10));
    const QRectF cells = extent();
    if (!cells.isNull())
        setAxisScale(QwtPlot::yLeft, cells.top(), cells.bottom());
}

// The item and the colour bar each own a map of their own.
void SpectrogramPlot::showLevels()
{
    const QwtInterval levels = levelRange();
    if (item) {
        item->raster().setInterval(Qt::ZAxis, levels);
        item->setColorMap(SpectrogramColorMaps::create(mapIndex));
    }
    axisWidget(QwtPlot::yRight)->setColorMap(levels, SpectrogramColorMaps::create(mapIndex));
    setAxisScale(QwtPlot::yRight, levels.minValue(), levels.maxValue());
    replot();
}

QString SpectrogramPlot::trackerText(const QPointF& pos) const
{
    QString time;
    if (timeAxis.showsDates())
        time = TimeText::format(pos.x(), std::abs(axisScaleDiv(QwtPlot::xBottom).range()) < kSecondsPerMinute);
    else
        time = QString::number(pos.x(), 'g', 7) + QStringLiteral(" s");
    QString text = time + QStringLiteral(", ") + QString::number(pos.y(), 'g', 6) + QStringLiteral(" Hz");
    const double level = item ? item->raster().levelAt(pos.x(), pos.y()) : std::numeric_limits<double>::quiet_NaN();
    if (!std::isnan(level))
        text += QStringLiteral(", ") + QString::number(level, 'f', 1) + QStringLiteral(" dB");
    return text;
}
