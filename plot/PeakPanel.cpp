#include "PeakPanel.h"

#include "PlotServerUi.h"

#include <QGroupBox>
#include <QPen>

#include <qwt_plot_marker.h>

PeakPanel::PeakPanel(QwtPlot* plot, const PlotServerUi& ui)
    : ui(ui)
{
    const QColor colors[] = {Qt::darkGreen, Qt::white, Qt::blue, Qt::magenta};
    for (std::size_t i = 0; i < markers.size(); ++i) {
        auto* marker = new QwtPlotMarker;
        marker->setValue(0.0, 0.0);
        marker->setLineStyle(QwtPlotMarker::VLine);
        marker->setLabelAlignment(Qt::AlignRight | Qt::AlignBottom);
        marker->setLinePen(QPen(colors[i], 0, Qt::DashDotLine, Qt::SquareCap, Qt::BevelJoin));
        marker->attach(plot);
        markers[i] = marker;
    }
}

void PeakPanel::setVisible(bool visible)
{
    ui.peakGB->setVisible(visible);
}

void PeakPanel::clearMarkers()
{
    for (QwtPlotMarker* marker : markers)
        marker->setXValue(0.0);
}

// The scan itself lands with the detector's own unit; until then there is nothing to find.
void PeakPanel::detect(int) {}
