#include "FitTool.h"

#include "CurveFit.h"
#include "CurveRecord.h"
#include "CurveStore.h"
#include "FitCancelled.h"
#include "FitData.h"
#include "FitError.h"
#include "FitModel.h"
#include "FitReport.h"
#include "PlotLog.h"
#include "UndoStore.h"
#include "VectorCopy.h"
#include "analysis/AnalysisFigures.h"

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <algorithm>
#include <new>

namespace {

// A start value for a name the model does not have would be dropped without a word, and
// the fit would start from 1 where the user meant otherwise.
void requireParameters(const FitRequest& request)
{
    if (request.starts.empty())
        return;
    if (request.builtin)
        throw FitError("A built-in model guesses its own start values; start values are for typed models.");
    const FitModel model(request.model.toStdString());
    const std::vector<std::string>& names = model.parameterNames();
    for (const auto& start : request.starts) {
        if (std::find(names.begin(), names.end(), start.first) == names.end())
            throw FitError("A start value is given for " + start.first + ", which is no parameter of the model.");
    }
}

} // namespace

FitTool::FitTool(CurveStore& store, QwtPlot* plot, UndoStore& undo, PlotLog& log)
    : store(store)
    , plot(plot)
    , undo(undo)
    , log(log)
{
}

bool FitTool::fit(const FitRequest& request, const NonlinearFit::Progress& progress)
{
    lastResult = FitResult();
    added.clear();
    failure.clear();
    cancelled = false;
    const CurveRecord* record = store.current();
    if (!record)
        return fail(tr("Fit: there is no current curve"));
    const QString title = CurveStore::titleOf(*record);
    // The progress keeps the window live while the fit iterates; nothing may rely on the
    // record staying where it is meanwhile.
    const CurveRecord fitted = *record;
    plot->updateAxes();
    const QwtInterval shown = plot->axisInterval(QwtPlot::xBottom);
    try {
        requireParameters(request);
        const FitData data = visiblePoints(fitted, request, shown);
        lastResult = solve(request, data, progress);
        addCurves(fitted, request);
    } catch (const FitCancelled&) {
        cancelled = true;
        log.line(tr("Kurvo: Fit of %1 cancelled").arg(title));
        return false;
    } catch (const FitError& error) {
        return fail(tr("Fit of %1 failed: %2").arg(title, QString::fromStdString(error.what())));
    } catch (const std::bad_alloc&) {
        // Adding the curves may have failed after the fit.
        lastResult = FitResult();
        return fail(tr("Not enough memory for the fit of %1").arg(title));
    }
    logResult(title, request, shown.minValue(), shown.maxValue());
    return true;
}

FitData FitTool::visiblePoints(const CurveRecord& record, const FitRequest& request, const QwtInterval& shown) const
{
    QVector<double> x;
    QVector<double> y;
    const int id = store.idOf(record.curve);
    store.samples(id, x, y);
    std::vector<double> weights;
    if (request.sigmaCurve >= 0) {
        QVector<double> sigmaX;
        QVector<double> sigma;
        if (!store.samples(request.sigmaCurve, sigmaX, sigma))
            throw FitError("There is no curve " + std::to_string(request.sigmaCurve) + " to take the weights from.");
        if (sigma.size() != y.size())
            throw FitError("The weights need one standard deviation for each of the " + std::to_string(y.size()) +
                           " points; their curve has " + std::to_string(sigma.size()) + ".");
        weights.reserve(std::size_t(sigma.size()));
        for (double s : sigma)
            weights.push_back(1.0 / (s * s));
    }
    return FitData::inRange(stdVectorOf(x), stdVectorOf(y), shown.minValue(), shown.maxValue(), weights);
}

FitResult FitTool::solve(const FitRequest& request, const FitData& data, const NonlinearFit::Progress& progress)
{
    const std::string model = request.model.trimmed().toStdString();
    if (request.builtin)
        return CurveFit::fitBuiltin(model, data, progress);
    return CurveFit::fitExpression(model, data, request.starts, progress);
}

// Both curves are made before either is added, so that running out of memory adds neither,
// and leaves no undo step behind.
void FitTool::addCurves(const CurveRecord& fitted, const FitRequest& request)
{
    const QString model = request.model.trimmed();
    const QVector<double> x = qVectorOf(lastResult.x);
    const QVector<double> values = qVectorOf(lastResult.fitted);
    const QVector<double> residuals = request.residuals ? qVectorOf(lastResult.residuals) : QVector<double>();
    const int current = store.currentId();
    const int steps = undo.counter();
    added.reserve(2);
    try {
        addCurve(QStringLiteral("fit: ") + model, x, values, fitted);
        if (request.residuals)
            addCurve(QStringLiteral("residuals: ") + model, x, residuals, fitted);
    } catch (const std::bad_alloc&) {
        for (int id : added)
            store.remove(id);
        while (undo.counter() > steps)
            undo.dropNewest();
        added.clear();
        store.setCurrent(current);
        throw;
    }
    store.setCurrent(current);
    plot->replot();
}

// `added` has room for the identifier, so that no curve is added without it.
void FitTool::addCurve(const QString& title, const QVector<double>& x, const QVector<double>& y,
                       const CurveRecord& fitted)
{
    const int id = store.addUnderFreeId(title, x, y, fitted.rightAxis, fitted.xIsTime);
    added.push_back(id);
    undo.saveAddition(id);
}

void FitTool::logResult(const QString& title, const FitRequest& request, double x0, double x1) const
{
    const QString skipped =
        lastResult.skipped > 0 ? tr(", %1 skipped for values that are not finite").arg(lastResult.skipped) : QString();
    log.line(tr("Kurvo: Fit of %1 with %2: %3 points from x = %4 to %5%6")
                 .arg(title, request.model.trimmed(), QString::number(lastResult.points), AnalysisFigures::exact(x0),
                      AnalysisFigures::exact(x1), skipped));
    for (const FitReport::Row& row : FitReport::rows(lastResult)) {
        const QString error = row.error.isEmpty() ? QString() : tr(", standard error %1").arg(row.error);
        log.line(tr("Kurvo: Fit of %1: %2 = %3%4").arg(title, row.label, row.value, error));
    }
}

bool FitTool::fail(const QString& text)
{
    failure = text;
    log.line(QStringLiteral("Kurvo: ") + text);
    return false;
}
