#pragma once

#include "analysis/CurveSampleRate.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <functional>

class AxesController;
class CurveStore;
class PlotLog;
class UndoStore;
struct CurveRecord;
struct FilterSpec;

// Curves made from curves, for the Process tab, the curve menu and kurvo-render: a curve
// computed by an expression over curves (CurveExpression), named by the expression, and a
// curve made from the current one by a filter, the derivative or integral, resampling or
// removing a trend (FilterSpec), named after it ("NAME lowpass 100 Hz"). The filters by
// frequency take the curve's sampling frequency by the rule of CurveSampleRate.
//
// A new curve is added under the first identifier no curve has, with the x, axis and date
// setting of the curve it was made from, becomes the current curve and is one undo step,
// which takes it away again. The axes show it as they show every new curve. An operation that
// fails adds nothing: the reason is logged and kept; nothing is thrown.
class DeriveTool
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    // `curveAdded` runs for the new curve once the axes show it.
    DeriveTool(CurveStore& store, AxesController& axes, UndoStore& undo, PlotLog& log,
               std::function<void(int)> curveAdded);

    // The identifier of the curve the last operation added, -1 after one that failed.
    int addedCurve() const { return added; }
    // Why the last operation added nothing, as logged without the program's name.
    const QString& lastFailure() const { return failure; }

    bool newCurve(const QString& expression);
    bool filter(const FilterSpec& spec);

private:
    bool filterCurrent(const FilterSpec& spec, const QString& title);
    void add(const QString& title, const QVector<double>& x, const QVector<double>& y, const CurveRecord& from,
             bool sameX);
    // The sampling frequency of `record` for the new curve `title`.
    double rateOf(const CurveRecord& record, const QVector<double>& x, const QString& title) const;
    bool fail(const QString& text);

    CurveStore& store;
    AxesController& axes;
    UndoStore& undo;
    PlotLog& log;
    CurveSampleRate sampleRate;
    std::function<void(int)> curveAdded;
    int added = -1;
    QString failure;
};
