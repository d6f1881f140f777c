#pragma once

#include <qwt_plot_zoomer.h>

// Rectangle zoom with the left button; right click steps back, Ctrl + right click returns
// to the base. No rubber band and no tracker unless the owner turns them on.
class Zoomer : public QwtPlotZoomer
{
public:
    Zoomer(int xAxis, int yAxis, QWidget* canvas);
};
