#include "TimePicker.h"

#include "TimeAxis.h"

TimePicker::TimePicker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode, QWidget* canvas)
    : QwtPlotPicker(xAxis, yAxis, rubberBand, trackerMode, canvas)
{
}

QwtText TimePicker::trackerTextF(const QPointF& pos) const
{
    const QString time = TimeAxis::trackerText(plot(), xAxis(), pos);
    return time.isEmpty() ? QwtPlotPicker::trackerTextF(pos) : QwtText(time);
}
