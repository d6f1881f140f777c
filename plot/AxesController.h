#pragma once

#include "TimeAxis.h"

#include <QObject>
#include <QPointF>
#include <QRectF>

#include <qwt_interval.h>

#include <map>

struct DataRange;
class CurveStore;
class PlotServerUi;
class QDoubleSpinBox;
class TimeSpinBox;
class QwtPlot;
class QwtPlotPanner;
class QwtPlotPicker;
class Zoomer;

// What part of the plot shows: the data range last applied to the axes, the Range tab's four
// limit fields, the zoomers and the other mouse navigation, logarithmic scales and the
// horizontal calibration. A zoom shows in the fields without changing the stored range, so a
// later edit of one field combines it with the limit stored before. The bottom axis and the
// x fields show dates and times while every curve's x holds them.
class AxesController : public QObject
{
    Q_OBJECT

public:
    AxesController(QwtPlot* plot, const CurveStore& curves, const PlotServerUi& ui, QObject* parent = nullptr);

    QRectF dataRange() const;
    // The four limits stored, exactly; both directions found.
    DataRange limits() const;
    Zoomer* bottomLeftZoomer() const { return zoomer; }
    // The current curve's sampling frequency (CurveSampleRate::ofTransform), the field's value
    // without a current curve.
    double horCalibration() const;
    // The field shows the current curve's rate; showing it sets no curve's rate.
    void showCurrentRate();
    // A value typed into the field or set by a caller: the sampling frequency of every curve
    // that was read from no audio file.
    void setUserHorCalibration(double value);
    bool horCalibrationSetByUser() const { return calibrationSetByUser; }
    double userHorCalibration() const { return userCalibration; }
    // Both as a project kept them, a value the user set or none.
    void restoreHorCalibration(double user, bool setByUser);

    // Ticks of the axes in use, the right one when it has a title; wheel, panner and tracker;
    // the Range tab shows the limits the empty plot shows.
    void setUpNavigation(const QString& rightTitle);

    // Stores and shows the found limits of `range` on the bottom axis and on `yAxis`.
    void showDataRange(const DataRange& range, int yAxis);
    // Stores all four limits and shows them on the bottom and left axes.
    void showLimits(const DataRange& range);
    // Shows limits on the bottom axis and `yAxis` without storing them.
    void scaleAxes(int yAxis, double x0, double x1, double y0, double y1);
    void storeLimits(double x0, double x1, double y0, double y1);

    void setYLow(double value);
    void setYHigh(double value);
    void setXStart(double value);
    void setXStop(double value);
    void setXRange(double min, double max);
    void setYRange(double min, double max);
    // Fits both axes to the union of every curve's data; without data the axes stay.
    void fitAll(const CurveStore& store);
    // A logarithmic axis whose lower limit is not positive starts at the smallest positive
    // value the curves have in its direction.
    void setLogScale(int axis, bool on, const CurveStore& store);

    // A new zoom base at the current scales; the zoom history starts afresh.
    void rebuildZoomers();
    // Puts the x fields in the mode of the bottom axis before they take the limits.
    void syncRangeSpinBoxes();
    // Dates or numbers on the bottom axis, its tracker and the x fields, as the curves' x
    // are now; for any change of the curves that does not end in syncRangeSpinBoxes.
    void followCurves();
    // The corners of a zoom rectangle, shown in the limit fields without applying them.
    void showZoomStart(const QPointF& corner);
    void showZoomEnd(const QPointF& corner);
    // The Range tab's fields, built after the controller, show what they would have shown had
    // they been there from the start.
    void fillFields();

signals:
    void zoomed(QRectF rect);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the fields show, kept while they are not built; the calibration field starts at 1.
    // A value typed into a built field is the field's own and is never shown from here.
    struct FieldValues {
        QPointF start;
        QPointF end;
        double rate = 1.0;
    };

    double xFieldValue(double x) const;
    // Shows `corner` in the fields `x` and `y` and keeps it in `kept`.
    void showCorner(QPointF& kept, TimeSpinBox* x, QDoubleSpinBox* y, const QPointF& corner);
    void showVisibleLimits();
    void setAxisRange(int axis, double min, double max);
    void showScale(int axis, double min, double max);
    // The smallest positive finite x (or y) of all curves; 0 for none.
    static double smallestPositive(const CurveStore& store, bool horizontal);
    void showX();
    void showY();
    void fitTicks();
    void fitTicks(int axis);
    // Whether `ticks` would undo a count given up before; a smaller count is recorded.
    bool takesBackGivenUp(int axis, int ticks, double room);

    struct TicksGivenUp {
        QwtInterval interval;
        double room = 0.0;
        int ticks = 0;
    };

    QwtPlot* plot;
    const CurveStore& curveStore;
    TimeAxis timeAxis;
    QObject* canvas = nullptr;
    bool replotQueued = false;
    std::map<int, TicksGivenUp> ticksGivenUp;
    const PlotServerUi& ui;
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    bool calibrationSetByUser = false;
    double userCalibration = 1.0;
    FieldValues fields;
    Zoomer* zoomer = nullptr;
    Zoomer* rightZoomer = nullptr;
    QwtPlotPicker* picker = nullptr;
    QwtPlotPanner* panner = nullptr;
};
