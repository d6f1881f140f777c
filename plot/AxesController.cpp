#include "AxesController.h"

#include "CurveRecord.h"
#include "CurveStore.h"
#include "DataRange.h"
#include "PlotServerUi.h"
#include "TimePicker.h"
#include "TimeText.h"
#include "TimeSpinBox.h"
#include "Zoomer.h"
#include "analysis/CurveSampleRate.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QFontMetrics>
#include <QSignalBlocker>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_magnifier.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_picker.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_widget.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

const int kMinimumCanvasHeight = 120;

void setAxisTicks(QwtPlot* plot, int axis)
{
    plot->setAxisAutoScale(axis, true);
    plot->setAxisMaxMajor(axis, 10);
    plot->setAxisMaxMinor(axis, 6);
}

} // namespace

AxesController::AxesController(QwtPlot* plot, const CurveStore& curves, const PlotServerUi& ui, QObject* parent)
    : QObject(parent)
    , plot(plot)
    , curveStore(curves)
    , timeAxis(plot)
    , ui(ui)
{
    // However crowded the window, the curves keep some room.
    plot->canvas()->setMinimumHeight(kMinimumCanvasHeight);
    // The canvas, not the plot: its new size is known only once the plot has laid it out.
    canvas = plot->canvas();
    canvas->installEventFilter(this);
    for (int axis : {int(QwtPlot::xBottom), int(QwtPlot::yLeft)})
        connect(plot->axisWidget(axis), &QwtScaleWidget::scaleDivChanged, this, [this, axis] { fitTicks(axis); });
    connect(&curves, &CurveStore::curveRemoved, this, &AxesController::followCurves);
    connect(&curves, &CurveStore::curveRemoved, this, &AxesController::showCurrentRate);
}

bool AxesController::eventFilter(QObject* watched, QEvent* event)
{
    // Compared by the pointer kept: while the plot is being destroyed its canvas still sends
    // events, and the plot must not be asked for anything then.
    if (watched == canvas && event->type() == QEvent::Resize)
        fitTicks();
    return QObject::eventFilter(watched, event);
}

void AxesController::fitTicks()
{
    fitTicks(QwtPlot::xBottom);
    fitTicks(QwtPlot::yLeft);
}

// As many major ticks as the axis has room for labels that do not touch, ten at most.
void AxesController::fitTicks(int axis)
{
    const QwtScaleWidget* widget = plot->axisWidget(axis);
    const QwtScaleDiv& division = plot->axisScaleDiv(axis);
    const bool horizontal = axis == QwtPlot::xBottom || axis == QwtPlot::xTop;
    const QFont font = widget->font();
    double extent = 0.0;
    for (double value : division.ticks(QwtScaleDiv::MajorTick)) {
        const QSizeF size = widget->scaleDraw()->labelSize(font, value);
        extent = std::max(extent, horizontal ? size.width() : size.height());
    }
    if (extent <= 0.0)
        return;
    const double room = horizontal ? plot->canvas()->width() : plot->canvas()->height();
    const double spacing = horizontal ? extent + QFontMetrics(font).horizontalAdvance(QStringLiteral("MM")) : 2.0 * extent;
    const int ticks = std::clamp(int(room / spacing), 2, 10);
    if (plot->axisMaxMajor(axis) == ticks || takesBackGivenUp(axis, ticks, room))
        return;
    plot->setAxisMaxMajor(axis, ticks);
    // A resize alone redraws no axis: an empty plot would keep its crowded labels until the
    // next curve arrives. Queued, so that a burst of resizes costs one redraw.
    if (!replotQueued) {
        replotQueued = true;
        QMetaObject::invokeMethod(this, [this] {
            replotQueued = false;
            plot->replot();
        }, Qt::QueuedConnection);
    }
}

// Date labels change their format with the spacing of the ticks: fewer ticks can make labels
// narrow enough to ask for more, whose labels ask for fewer again, a redraw each time without
// end. So a count given up as too many for an interval and a room is not taken again.
bool AxesController::takesBackGivenUp(int axis, int ticks, double room)
{
    const QwtInterval shown = plot->axisScaleDiv(axis).interval();
    TicksGivenUp& last = ticksGivenUp[axis];
    const bool sameView = last.interval == shown && last.room == room;
    if (ticks > plot->axisMaxMajor(axis))
        return sameView && ticks >= last.ticks;
    last = {shown, room, plot->axisMaxMajor(axis)};
    return false;
}

QRectF AxesController::dataRange() const
{
    return QRectF(QPointF(xMin, yMin), QPointF(xMax, yMax));
}

DataRange AxesController::limits() const
{
    DataRange range;
    range.xMin = xMin;
    range.xMax = xMax;
    range.yMin = yMin;
    range.yMax = yMax;
    range.xFound = true;
    range.yFound = true;
    return range;
}

void AxesController::setUpNavigation(const QString& rightTitle)
{
    if (!rightTitle.isEmpty()) {
        plot->enableAxis(QwtPlot::yRight);
        plot->setAxisTitle(QwtPlot::yRight, rightTitle);
        setAxisTicks(plot, QwtPlot::yRight);
    }
    setAxisTicks(plot, QwtPlot::xBottom);
    setAxisTicks(plot, QwtPlot::yLeft);

    // The wheel scales y only.
    auto* magnifier = new QwtPlotMagnifier(plot->canvas());
    magnifier->setAxisEnabled(QwtPlot::xBottom, false);
    delete zoomer;
    delete rightZoomer;
    zoomer = nullptr;
    rightZoomer = nullptr;
    panner = new QwtPlotPanner(plot->canvas());
    panner->setMouseButton(Qt::MiddleButton);
    picker = new TimePicker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::RectRubberBand, QwtPicker::AlwaysOn,
                            plot->canvas());
    picker->setRubberBandPen(QPen(Qt::green));
    picker->setTrackerPen(QPen(Qt::white));
    showVisibleLimits();
}

// The empty plot's axes are autoscaled; the Range tab starts on what they show.
void AxesController::showVisibleLimits()
{
    plot->updateAxes();
    const QwtInterval x = plot->axisScaleDiv(QwtPlot::xBottom).interval();
    const QwtInterval y = plot->axisScaleDiv(QwtPlot::yLeft).interval();
    storeLimits(x.minValue(), x.maxValue(), y.minValue(), y.maxValue());
    syncRangeSpinBoxes();
}

void AxesController::setAxisRange(int axis, double min, double max)
{
    plot->setAxisAutoScale(axis, false);
    showScale(axis, min, max);
}

// A logarithmic axis has no place for zero or below: Qwt would start it at 1e-100, which
// crowds every point into one corner under the symbols, where the line between them no longer
// shows. It starts at the smallest positive value the curves have in its direction instead.
void AxesController::showScale(int axis, double min, double max)
{
    if (min <= 0.0 && dynamic_cast<const QwtLogScaleEngine*>(plot->axisScaleEngine(axis))) {
        const double smallest = smallestPositive(curveStore, axis == QwtPlot::xBottom);
        if (smallest > 0.0 && smallest < max)
            min = smallest;
    }
    plot->setAxisScale(axis, min, max);
}

double AxesController::smallestPositive(const CurveStore& store, bool horizontal)
{
    double smallest = 0.0;
    for (const auto& entry : store.records()) {
        QVector<double> x;
        QVector<double> y;
        store.samples(int(entry.first), x, y);
        for (double v : horizontal ? x : y) {
            if (v > 0.0 && std::isfinite(v) && (smallest == 0.0 || v < smallest))
                smallest = v;
        }
    }
    return smallest;
}

void AxesController::showDataRange(const DataRange& range, int yAxis)
{
    if (range.xFound) {
        xMin = range.xMin;
        xMax = range.xMax;
        setAxisRange(QwtPlot::xBottom, xMin, xMax);
    }
    if (range.yFound) {
        yMin = range.yMin;
        yMax = range.yMax;
        setAxisRange(yAxis, yMin, yMax);
    }
}

void AxesController::showLimits(const DataRange& range)
{
    storeLimits(range.xMin, range.xMax, range.yMin, range.yMax);
    showScale(QwtPlot::xBottom, xMin, xMax);
    showScale(QwtPlot::yLeft, yMin, yMax);
}

void AxesController::scaleAxes(int yAxis, double x0, double x1, double y0, double y1)
{
    showScale(QwtPlot::xBottom, x0, x1);
    showScale(yAxis, y0, y1);
}

void AxesController::storeLimits(double x0, double x1, double y0, double y1)
{
    xMin = x0;
    xMax = x1;
    yMin = y0;
    yMax = y1;
}

void AxesController::showX()
{
    setAxisRange(QwtPlot::xBottom, xMin, xMax);
    plot->replot();
}

// The y limits always act on the left axis, whichever axis the curves use.
void AxesController::showY()
{
    setAxisRange(QwtPlot::yLeft, yMin, yMax);
    plot->replot();
}

void AxesController::setYLow(double value)
{
    yMin = value;
    showY();
}

void AxesController::setYHigh(double value)
{
    yMax = value;
    showY();
}

void AxesController::setXStart(double value)
{
    xMin = value;
    showX();
}

void AxesController::setXStop(double value)
{
    xMax = value;
    showX();
}

double AxesController::horCalibration() const
{
    const CurveRecord* current = curveStore.find(curveStore.currentId());
    return current ? CurveSampleRate(*this).ofTransform(*current) : userCalibration;
}

void AxesController::showCurrentRate()
{
    fields.rate = horCalibration();
    if (!ui.hasTools())
        return;
    const QSignalBlocker quiet(ui.horCalibrationSB);
    ui.horCalibrationSB->setValue(fields.rate);
}

void AxesController::setUserHorCalibration(double value)
{
    userCalibration = value;
    calibrationSetByUser = true;
}

void AxesController::restoreHorCalibration(double user, bool setByUser)
{
    userCalibration = user;
    calibrationSetByUser = setByUser;
}

void AxesController::setXRange(double min, double max)
{
    xMin = min;
    xMax = max;
    showX();
}

void AxesController::setYRange(double min, double max)
{
    yMin = min;
    yMax = max;
    showY();
}

void AxesController::fitAll(const CurveStore& store)
{
    DataRange all;
    for (const auto& entry : store.records())
        all.unite(store.rangeOf(int(entry.first)));
    if (!all.xFound && !all.yFound)
        return;
    if (all.yFound) {
        yMin = all.yMin;
        yMax = all.yMax;
        setAxisRange(QwtPlot::yLeft, yMin, yMax);
    }
    if (all.xFound) {
        xMin = all.xMin;
        xMax = all.xMax;
        setAxisRange(QwtPlot::xBottom, xMin, xMax);
    }
    syncRangeSpinBoxes();
    plot->replot();
}

void AxesController::setLogScale(int axis, bool on, const CurveStore& store)
{
    const bool horizontal = axis == QwtPlot::xBottom;
    if (horizontal) {
        timeAxis.setLogarithmic(on);
        followCurves();
    } else {
        plot->setAxisScaleEngine(axis, on ? static_cast<QwtScaleEngine*>(new QwtLogScaleEngine(10))
                                          : new QwtLinearScaleEngine(10));
    }
    double& low = horizontal ? xMin : yMin;
    const double high = horizontal ? xMax : yMax;
    if (!on || low > 0.0)
        return;
    const double smallest = smallestPositive(store, horizontal);
    if (smallest > 0.0 && smallest < high) {
        low = smallest;
        setAxisRange(axis, low, high);
        plot->replot();
    }
}

void AxesController::rebuildZoomers()
{
    QWidget* canvas = plot->canvas();
    if (zoomer) {
        delete zoomer;
        delete rightZoomer;
    }
    zoomer = new Zoomer(QwtPlot::xBottom, QwtPlot::yLeft, canvas);
    zoomer->setRubberBand(QwtPicker::RectRubberBand);
    zoomer->setRubberBandPen(QPen(Qt::green));
    zoomer->setTrackerMode(QwtPicker::ActiveOnly);
    zoomer->setTrackerPen(QPen(Qt::white));
    connect(zoomer, &QwtPlotZoomer::zoomed, this, &AxesController::zoomed);
    rightZoomer = new Zoomer(QwtPlot::xTop, QwtPlot::yRight, canvas);
}

void AxesController::syncRangeSpinBoxes()
{
    followCurves();
    showCorner(fields.start, ui.horStartSB, ui.verLowSB, QPointF(xMin, yMin));
    showCorner(fields.end, ui.horStopSB, ui.verHighSB, QPointF(xMax, yMax));
}

void AxesController::followCurves()
{
    const CurveStore::Records& records = curveStore.records();
    const bool time = !records.empty() && std::all_of(records.begin(), records.end(), [](const auto& entry) {
        return entry.second->xIsTime;
    });
    const bool datesBefore = timeAxis.showsDates();
    timeAxis.setCurvesHaveTime(time);
    if (ui.hasTools()) {
        ui.horStartSB->setTimeMode(timeAxis.showsDates());
        ui.horStopSB->setTimeMode(timeAxis.showsDates());
    } else if (timeAxis.showsDates() != datesBefore) {
        fields.start.setX(xFieldValue(fields.start.x()));
        fields.end.setX(xFieldValue(fields.end.x()));
    }
}

void AxesController::showZoomStart(const QPointF& corner)
{
    showCorner(fields.start, ui.horStartSB, ui.verLowSB, corner);
}

void AxesController::showZoomEnd(const QPointF& corner)
{
    showCorner(fields.end, ui.horStopSB, ui.verHighSB, corner);
}

void AxesController::fillFields()
{
    ui.horStartSB->setTimeMode(timeAxis.showsDates());
    ui.horStopSB->setTimeMode(timeAxis.showsDates());
    for (const auto& [shown, x, y] : {std::tuple{fields.start, ui.horStartSB, ui.verLowSB},
                                      std::tuple{fields.end, ui.horStopSB, ui.verHighSB}}) {
        const QSignalBlocker quietX(x);
        const QSignalBlocker quietY(y);
        x->setValue(shown.x());
        y->setValue(shown.y());
    }
    const QSignalBlocker quiet(ui.horCalibrationSB);
    ui.horCalibrationSB->setValue(fields.rate);
}

// Kept as the field would keep it: within the range of numbers or of dates it takes.
double AxesController::xFieldValue(double x) const
{
    if (timeAxis.showsDates())
        return std::clamp(x, TimeText::kFirst, TimeText::kLast);
    return std::clamp(x, -PlotServerUi::kFieldLimit, PlotServerUi::kFieldLimit);
}

void AxesController::showCorner(QPointF& kept, TimeSpinBox* x, QDoubleSpinBox* y, const QPointF& corner)
{
    kept = QPointF(xFieldValue(corner.x()), corner.y());
    if (!ui.hasTools())
        return;
    const QSignalBlocker quietX(x);
    const QSignalBlocker quietY(y);
    x->setValue(corner.x());
    y->setValue(corner.y());
}
