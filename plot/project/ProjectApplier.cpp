#include "ProjectApplier.h"

#include "AxesController.h"
#include "CurveStore.h"
#include "PlotServer.h"
#include "PlotServerUi.h"
#include "ProjectState.h"
#include "UndoStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_symbol.h>

#include <vector>

namespace {

void style(QwtPlotCurve& drawn, const ProjectCurve& curve)
{
    QPen pen(QColor::fromRgba(curve.penColor));
    pen.setWidthF(curve.penWidth);
    pen.setStyle(Qt::PenStyle(curve.penStyle));
    drawn.setPen(pen);
    drawn.setStyle(QwtPlotCurve::CurveStyle(curve.curveStyle));
    if (curve.symbolStyle != QwtSymbol::NoSymbol) {
        const QSize size(curve.symbolSize, curve.symbolSize);
        drawn.setSymbol(new QwtSymbol(QwtSymbol::Style(curve.symbolStyle),
                                      QBrush(QColor::fromRgba(curve.symbolBrush), Qt::SolidPattern),
                                      QPen(QColor::fromRgba(curve.symbolPen)), size));
    }
    drawn.setLegendAttribute(QwtPlotCurve::LegendShowSymbol, curve.legendShowsSymbol);
    drawn.setRenderHint(QwtPlotItem::RenderAntialiased, curve.antialiased);
}

void showAxis(QwtPlot& plot, int axis, const ProjectAxis& shown)
{
    if (shown.automatic)
        plot.setAxisAutoScale(axis, true);
    else
        plot.setAxisScale(axis, shown.from, shown.to);
}

// A field whose signal would act on the curves shows its value without acting.
template <typename Widget, typename Value>
void showQuietly(Widget* widget, void (Widget::*set)(Value), Value value)
{
    const QSignalBlocker quiet(widget);
    (widget->*set)(value);
}

} // namespace

QString ProjectApplier::refusal(const PlotServer& server, const ProjectState& state)
{
    const PlotServerUi& ui = server.controls();
    if (ui.unitsCB->findText(state.unit) < 0)
        return QStringLiteral("calibration.unit is \"%1\", which the Range tab does not list").arg(state.unit);
    if (state.fftWindow >= ui.windowingCB->count() || state.plotStyle >= ui.stylesCB->count())
        return QStringLiteral("the window or the style is not one the tool panel lists");
    return QString();
}

void ProjectApplier::apply(PlotServer& server, const ProjectState& state)
{
    QwtPlot& plot = *server.plot();
    const bool autoReplot = plot.autoReplot();
    plot.setAutoReplot(false);
    showCurves(server, state);
    showAxes(server, state);
    plot.setAutoReplot(autoReplot);
    plot.replot();
    server.rebuildZoomers();
    server.axesController().syncRangeSpinBoxes();
    showPanels(server, state);
    server.undoFiles().clear();
}

void ProjectApplier::showCurves(PlotServer& server, const ProjectState& state)
{
    CurveStore& store = server.curveStore();
    std::vector<int> shown;
    for (const auto& entry : store.records())
        shown.push_back(int(entry.first));
    for (int id : shown)
        store.remove(id);
    for (const ProjectCurve& curve : state.curves) {
        store.startAt(curve.id);
        style(*store.add(curve.name, curve.x, curve.y, curve.rightAxis ? 1 : 0, curve.xIsTime), curve);
        store.find(curve.id)->sampleRate = curve.sampleRate;
    }
    store.startAt(state.nextCurve);
    store.setCurrent(state.currentCurve);
}

void ProjectApplier::showAxes(PlotServer& server, const ProjectState& state)
{
    QwtPlot& plot = *server.plot();
    server.setTitle(state.title);
    server.setXTitle(state.xTitle);
    server.setYTitle(state.yTitle);
    plot.setAxisTitle(QwtPlot::yRight, state.rightTitle);
    plot.enableAxis(QwtPlot::yRight, state.rightAxisShown);
    plot.setCanvasBackground(QBrush(QColor::fromRgba(state.background), Qt::SolidPattern));

    const PlotServerUi& ui = server.controls();
    showQuietly<QCheckBox, bool>(ui.logXCB, &QCheckBox::setChecked, state.logX);
    showQuietly<QCheckBox, bool>(ui.logYCB, &QCheckBox::setChecked, state.logY);
    server.logXaxysSlot(state.logX);
    server.logYaxysSlot(state.logY);
    AxesController& axes = server.axesController();
    axes.storeLimits(state.xMin, state.xMax, state.yMin, state.yMax);
    showAxis(plot, QwtPlot::xBottom, state.bottom);
    showAxis(plot, QwtPlot::yLeft, state.left);
    showAxis(plot, QwtPlot::yRight, state.right);
    axes.restoreHorCalibration(state.userCalibration, state.calibrationSetByUser);
    showQuietly<QDoubleSpinBox, double>(ui.horCalibrationSB, &QDoubleSpinBox::setValue, state.calibrationField);
}

// The peak detector runs as the current curve is selected, with the project's settings, and
// the markers go where the project had them after it.
void ProjectApplier::showPanels(PlotServer& server, const ProjectState& state)
{
    const PlotServerUi& ui = server.controls();
    showQuietly<QComboBox, int>(ui.stylesCB, &QComboBox::setCurrentIndex, state.plotStyle);
    ui.windowingCB->setCurrentIndex(state.fftWindow);
    ui.unitsCB->setCurrentIndex(ui.unitsCB->findText(state.unit));
    ui.deltaSB->setValue(state.peakDelta);
    ui.thresholdSB->setValue(state.peakThreshold);
    ui.minimumCB->setChecked(state.subtractMinimum);
    ui.foundPeaks->setCurrentIndex(state.negativePeaksListed ? 1 : 0);

    ui.showMenuTB->setChecked(state.toolsShown);
    server.toolShow(state.toolsShown);
    ui.peakTB->setChecked(state.peaksShown);
    server.peakSlot(state.peaksShown);
    ui.plotStatTB->setChecked(state.statisticsShown);
    ui.statisticsWD->setVisible(state.statisticsShown);
    server.selectCurve(state.currentCurve);

    for (std::size_t i = 0; i < state.markers.size(); ++i) {
        QwtPlotMarker* marker = server.peakMarker(int(i));
        marker->setXValue(state.markers[i].x);
        marker->setVisible(state.markers[i].shown);
    }
    server.plot()->replot();
}
