#pragma once

#include "Zoomer.h"

// Zoom as in the plot, with a tracker that shows the time, the frequency and the level of the
// cell under the pointer (SpectrogramPlot::trackerText).
class SpectrogramZoomer : public Zoomer
{
public:
    // `canvas` is the canvas of a SpectrogramPlot.
    explicit SpectrogramZoomer(QWidget* canvas);

    QwtText trackerTextF(const QPointF& pos) const override;
};
