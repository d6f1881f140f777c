#include "ProjectCapture.h"

#include "AxesController.h"
#include "CurveStore.h"
#include "PeakPanel.h"
#include "PlotServer.h"
#include "PlotServerUi.h"
#include "ProjectState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_scale_engine.h>
#include <qwt_symbol.h>

namespace {

ProjectCurve curveOf(int id, const CurveRecord& record, const CurveStore& store)
{
    const QwtPlotCurve& drawn = *record.curve;
    ProjectCurve curve;
    curve.id = id;
    curve.name = drawn.title().text();
    store.samples(id, curve.x, curve.y);
    curve.rightAxis = record.rightAxis != 0;
    curve.xIsTime = record.xIsTime;
    curve.sampleRate = record.sampleRate;
    curve.penColor = drawn.pen().color().rgba();
    curve.penWidth = drawn.pen().widthF();
    curve.penStyle = int(drawn.pen().style());
    curve.curveStyle = int(drawn.style());
    // A curve without a symbol keeps no colours of one.
    const QwtSymbol* symbol = drawn.symbol();
    if (symbol && symbol->style() != QwtSymbol::NoSymbol) {
        curve.symbolStyle = int(symbol->style());
        curve.symbolSize = symbol->size().width();
        curve.symbolPen = symbol->pen().color().rgba();
        curve.symbolBrush = symbol->brush().color().rgba();
    }
    curve.legendShowsSymbol = drawn.testLegendAttribute(QwtPlotCurve::LegendShowSymbol);
    curve.antialiased = drawn.testRenderHint(QwtPlotItem::RenderAntialiased);
    return curve;
}

// An automatic axis keeps no bounds: they follow the curves, and the window's size too.
ProjectAxis axisOf(const QwtPlot& plot, int axis)
{
    if (plot.axisAutoScale(axis))
        return {0, 0, true};
    const QwtScaleDiv& shown = plot.axisScaleDiv(axis);
    return {shown.lowerBound(), shown.upperBound(), false};
}

void takeAxes(const PlotServer& server, ProjectState& state)
{
    const QwtPlot& plot = *server.plot();
    state.title = plot.title().text();
    state.xTitle = plot.axisTitle(QwtPlot::xBottom).text();
    state.yTitle = plot.axisTitle(QwtPlot::yLeft).text();
    state.rightTitle = plot.axisTitle(QwtPlot::yRight).text();
    state.rightAxisShown = plot.axisEnabled(QwtPlot::yRight);
    state.background = plot.canvasBackground().color().rgba();
    // The scales say which axes are logarithmic, whichever way they became so.
    state.logX = dynamic_cast<const QwtLogScaleEngine*>(plot.axisScaleEngine(QwtPlot::xBottom)) != nullptr;
    state.logY = dynamic_cast<const QwtLogScaleEngine*>(plot.axisScaleEngine(QwtPlot::yLeft)) != nullptr;
    state.bottom = axisOf(plot, QwtPlot::xBottom);
    state.left = axisOf(plot, QwtPlot::yLeft);
    state.right = axisOf(plot, QwtPlot::yRight);

    const AxesController& axes = server.axesController();
    const DataRange limits = axes.limits();
    state.xMin = limits.xMin;
    state.xMax = limits.xMax;
    state.yMin = limits.yMin;
    state.yMax = limits.yMax;
    state.calibration = axes.horCalibration();
    state.userCalibration = axes.userHorCalibration();
    state.calibrationSetByUser = axes.horCalibrationSetByUser();
}

void takePanels(const PlotServer& server, ProjectState& state)
{
    const PlotServerUi& ui = server.controls();
    state.plotStyle = ui.stylesCB->currentIndex();
    state.calibrationField = ui.horCalibrationSB->value();
    state.unit = ui.unitsCB->currentText();
    state.fftWindow = ui.windowingCB->currentIndex();
    state.peakDelta = ui.deltaSB->value();
    state.peakThreshold = ui.thresholdSB->value();
    state.subtractMinimum = ui.minimumCB->isChecked();
    state.negativePeaksListed = ui.foundPeaks->currentIndex() == 1;
    for (std::size_t i = 0; i < state.markers.size(); ++i) {
        const QwtPlotMarker* marker = server.peakMarker(int(i));
        state.markers[i] = {marker->isVisible(), marker->xValue()};
    }
    state.toolsShown = ui.showMenuTB->isChecked();
    state.statisticsShown = ui.plotStatTB->isChecked();
    state.peaksShown = ui.peakTB->isChecked();
}

} // namespace

ProjectState ProjectCapture::of(const PlotServer& server)
{
    ProjectState state;
    const CurveStore& store = server.curveStore();
    for (const auto& [id, record] : store.records())
        state.curves.push_back(curveOf(int(id), *record, store));
    state.currentCurve = store.currentId();
    state.nextCurve = store.nextId();
    takeAxes(server, state);
    takePanels(server, state);
    return state;
}
