#pragma once

#include <array>

class PlotServerUi;
class QwtPlot;
class QwtPlotMarker;

// The peak detector beside the plot: its group of controls and the four vertical marker lines
// it places on the plot.
class PeakPanel
{
public:
    PeakPanel(QwtPlot* plot, const PlotServerUi& ui);

    QwtPlotMarker* marker(int index) const { return markers.at(std::size_t(index)); }
    void setVisible(bool visible);
    // Moves every marker back to x = 0.
    void clearMarkers();
    // Runs the detector on a curve whose statistics were just shown.
    void detect(int id);

private:
    const PlotServerUi& ui;
    std::array<QwtPlotMarker*, 4> markers{};
};
