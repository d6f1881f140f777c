#pragma once

#include <qwt_plot_zoomer.h>

// Rectangle zoom with the left button; right click steps back, Ctrl + right click returns
// to the base. No rubber band and no tracker unless the owner turns them on; the tracker
// shows x as a date and time while the x axis shows dates.
class Zoomer : public QwtPlotZoomer
{
public:
    Zoomer(int xAxis, int yAxis, QWidget* canvas);

    QwtText trackerTextF(const QPointF& pos) const override;
};
