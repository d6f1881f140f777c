#pragma once

#include <qwt_plot_picker.h>

// A picker whose tracker shows x as a date and time while its x axis shows dates.
class TimePicker : public QwtPlotPicker
{
public:
    TimePicker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode, QWidget* canvas);

    QwtText trackerTextF(const QPointF& pos) const override;
};
