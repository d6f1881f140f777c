#include "Zoomer.h"

#include "TimeAxis.h"

Zoomer::Zoomer(int xAxis, int yAxis, QWidget* canvas)
    : QwtPlotZoomer(xAxis, yAxis, canvas, true)
{
    setTrackerMode(QwtPicker::AlwaysOff);
    setRubberBand(QwtPicker::NoRubberBand);
    setMousePattern(QwtEventPattern::MouseSelect2, Qt::RightButton, Qt::ControlModifier);
    setMousePattern(QwtEventPattern::MouseSelect3, Qt::RightButton);
}

QwtText Zoomer::trackerTextF(const QPointF& pos) const
{
    const QString time = TimeAxis::trackerText(plot(), xAxis(), pos);
    return time.isEmpty() ? QwtPlotZoomer::trackerTextF(pos) : QwtText(time);
}
