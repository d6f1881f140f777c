#include "TimeAxis.h"

#include "TimeScaleDraw.h"
#include "TimeScaleEngine.h"
#include "TimeText.h"

#include <QPointF>

#include <qwt_plot.h>
#include <qwt_scale_engine.h>

#include <cmath>

namespace {

const double kSecondsPerMinute = 60.0;

} // namespace

TimeAxis::TimeAxis(QwtPlot* plot)
    : plot(plot)
{
}

void TimeAxis::setCurvesHaveTime(bool on)
{
    if (on == curvesHaveTime)
        return;
    curvesHaveTime = on;
    install();
}

void TimeAxis::setLogarithmic(bool on)
{
    logarithmic = on;
    install();
}

// Engine and labels change together with one replot; the labels only when they must, so
// that the number labels keep whatever was set on them.
void TimeAxis::install()
{
    const bool autoReplot = plot->autoReplot();
    plot->setAutoReplot(false);
    const bool dates = showsDates();
    if (dates)
        plot->setAxisScaleEngine(QwtPlot::xBottom, new TimeScaleEngine);
    else if (logarithmic)
        plot->setAxisScaleEngine(QwtPlot::xBottom, new QwtLogScaleEngine(10));
    else
        plot->setAxisScaleEngine(QwtPlot::xBottom, new QwtLinearScaleEngine(10));
    if (dates != datesDrawn) {
        plot->setAxisScaleDraw(QwtPlot::xBottom, dates ? new TimeScaleDraw : new QwtScaleDraw);
        datesDrawn = dates;
    }
    plot->setAutoReplot(autoReplot);
    if (autoReplot)
        plot->replot();
}

QString TimeAxis::trackerText(const QwtPlot* plot, int xAxis, const QPointF& pos)
{
    if (!plot || !dynamic_cast<const TimeScaleDraw*>(plot->axisScaleDraw(xAxis)))
        return QString();
    const bool fine = std::abs(plot->axisScaleDiv(xAxis).range()) < kSecondsPerMinute;
    return TimeText::format(pos.x(), fine) + QString::asprintf(", %.4f", pos.y());
}
