#include "SpectrogramZoomer.h"

#include "SpectrogramPlot.h"

#include <QPen>

// The colour maps run from dark to light, so the tracker brings a background of its own.
SpectrogramZoomer::SpectrogramZoomer(QWidget* canvas)
    : Zoomer(QwtPlot::xBottom, QwtPlot::yLeft, canvas)
{
    setRubberBand(QwtPicker::RectRubberBand);
    setRubberBandPen(QPen(Qt::green));
    setTrackerMode(QwtPicker::AlwaysOn);
    setTrackerPen(QPen(Qt::black));
}

QwtText SpectrogramZoomer::trackerTextF(const QPointF& pos) const
{
    const auto* view = dynamic_cast<const SpectrogramPlot*>(plot());
    QwtText text(view ? view->trackerText(pos) : Zoomer::trackerTextF(pos).text());
    text.setBackgroundBrush(QColor(255, 255, 255, 200));
    return text;
}
