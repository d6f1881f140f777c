#pragma once

#include "FitRequest.h"
#include "FitResult.h"
#include "NonlinearFit.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <vector>

class CurveStore;
class FitData;
class PlotLog;
class QwtInterval;
class QwtPlot;
class UndoStore;
struct CurveRecord;

// Curve fitting for the Fit dialog and kurvo-render: fits the current curve's points that lie
// in the x range the plot shows, so that zooming in fits a part, and adds the model's values
// at those points as a new curve "fit: MODEL" (and their residuals as "residuals: MODEL" when
// asked) on the axis of the fitted curve, which stays the current one. The axes stay where
// they are. The figures are logged with every digit and kept for the results table.
//
// A fit that fails changes nothing: the reason is logged and kept. Each curve a fit adds is
// an undo step of its own, as the undo store records the addition of one curve a step: Undo
// takes the residuals away, and then the fitted values.
class FitTool
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    FitTool(CurveStore& store, QwtPlot* plot, UndoStore& undo, PlotLog& log);

    // The last fit's result; no parameters after one that failed or was cancelled.
    const FitResult& result() const { return lastResult; }
    // The identifiers of the curves the last fit added, the fitted values first.
    const std::vector<int>& addedCurves() const { return added; }
    // Why the last fit changed nothing, as logged without the program's name; empty after one
    // that succeeded or was cancelled.
    const QString& lastFailure() const { return failure; }
    bool wasCancelled() const { return cancelled; }

    // False when refused, failed or stopped by `progress` (NonlinearFit::Progress).
    bool fit(const FitRequest& request, const NonlinearFit::Progress& progress = {});

private:
    FitData visiblePoints(const CurveRecord& record, const FitRequest& request, const QwtInterval& shown) const;
    static FitResult solve(const FitRequest& request, const FitData& data, const NonlinearFit::Progress& progress);
    void addCurves(const CurveRecord& fitted, const FitRequest& request);
    void addCurve(const QString& title, const QVector<double>& x, const QVector<double>& y, const CurveRecord& fitted);
    void logResult(const QString& title, const FitRequest& request, double x0, double x1) const;
    bool fail(const QString& text);

    CurveStore& store;
    QwtPlot* plot;
    UndoStore& undo;
    PlotLog& log;
    FitResult lastResult;
    std::vector<int> added;
    QString failure;
    bool cancelled = false;
};
