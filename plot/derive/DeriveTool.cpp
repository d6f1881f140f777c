#include "DeriveTool.h"

#include "AxesController.h"
#include "CurveExpression.h"
#include "CurveRecord.h"
#include "CurveStore.h"
#include "FilterSpec.h"
#include "PlotLog.h"
#include "PointLimit.h"
#include "SamplingCheck.h"
#include "UndoStore.h"
#include "VectorCopy.h"
#include "analysis/AnalysisFigures.h"

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <map>
#include <new>
#include <stdexcept>

DeriveTool::DeriveTool(CurveStore& store, AxesController& axes, UndoStore& undo, PlotLog& log,
                       std::function<void(int)> curveAdded)
    : store(store)
    , axes(axes)
    , undo(undo)
    , log(log)
    , sampleRate(axes)
    , curveAdded(std::move(curveAdded))
{
}

// The curves' arrays are read where they are; the vectors held here keep them alive.
bool DeriveTool::newCurve(const QString& expression)
{
    added = -1;
    failure.clear();
    const QString text = expression.trimmed();
    if (text.isEmpty())
        return fail(tr("New curve: the expression is empty"));
    try {
        CurveExpression compiled(text.toStdString());
        if (compiled.curves().empty() && !store.current())
            return fail(tr("New curve: %1 names no curve, and there is no current curve to take x from").arg(text));
        std::map<int, std::pair<QVector<double>, QVector<double>>> held;
        const auto lookup = [&](int id, CurveExpression::Curve& curve) {
            auto& samples = held[id];
            if (!store.samples(id, samples.first, samples.second))
                return false;
            curve = {samples.first.constData(), samples.second.constData(), std::size_t(samples.second.size())};
            return true;
        };
        const std::vector<double> y = compiled.evaluate(lookup, store.currentId());
        const int base = compiled.baseCurve(store.currentId());
        add(text, held[base].first, qVectorOf(y), *store.find(base), true);
        log.line(tr("Kurvo: New curve %1 from the x of %2: %3 points")
                     .arg(text, CurveStore::titleOf(*store.find(base)), QString::number(y.size())));
        return true;
    } catch (const std::invalid_argument& error) {
        return fail(tr("New curve: %1").arg(QString::fromStdString(error.what())));
    } catch (const std::bad_alloc&) {
        return fail(tr("Not enough memory for the new curve %1").arg(text));
    }
}

bool DeriveTool::filter(const FilterSpec& spec)
{
    added = -1;
    failure.clear();
    const CurveRecord* record = store.current();
    if (!record)
        return fail(tr("%1: there is no current curve").arg(spec.suffix()));
    const QString title = CurveStore::titleOf(*record) + QLatin1Char(' ') + spec.suffix();
    try {
        return filterCurrent(spec, title);
    } catch (const std::invalid_argument& error) {
        return fail(tr("%1 refused: %2").arg(title, QString::fromStdString(error.what())));
    } catch (const std::bad_alloc&) {
        return fail(tr("Not enough memory for %1").arg(title));
    }
}

bool DeriveTool::filterCurrent(const FilterSpec& spec, const QString& title)
{
    const CurveRecord& record = *store.current();
    QVector<double> x;
    QVector<double> y;
    store.samples(store.currentId(), x, y);
    const double rate = spec.byFrequency() ? rateOf(record, x, title) : 0.0;
    FilterSpec::Output out = spec.run(x.constData(), y.constData(), std::size_t(y.size()), rate, kMaxCurvePoints);
    add(title, spec.newX() ? qVectorOf(out.x) : x, qVectorOf(out.y), record, !spec.newX());
    log.line(tr("Kurvo: %1: %2 points").arg(title, QString::number(out.y.size())));
    return true;
}

// As the spectra do it; uneven steps make a filter by frequency wrong without showing it.
double DeriveTool::rateOf(const CurveRecord& record, const QVector<double>& x, const QString& title) const
{
    const SamplingCheck check = checkSampling(x.constData(), std::size_t(x.size()));
    const CurveSampleRate::Rate rate = sampleRate.of(record, check);
    if (check.warns())
        log.line(tr("Kurvo: uneven sampling in %1: rate %2 Hz, jitter %3, %4 gaps")
                     .arg(CurveStore::titleOf(record), AnalysisFigures::exact(check.rate),
                          AnalysisFigures::exact(check.jitter), QString::number(check.gaps)));
    log.line(tr("Kurvo: %1: sampling frequency %2 Hz (%3)")
                 .arg(title, AnalysisFigures::exact(rate.hz), tr(CurveSampleRate::sourceName(rate.source))));
    return rate.hz;
}

// A curve at another x no longer counts an audio file's samples.
void DeriveTool::add(const QString& title, const QVector<double>& x, const QVector<double>& y, const CurveRecord& from,
                     bool sameX)
{
    const bool xIsTime = from.xIsTime;
    const double rate = sameX ? from.sampleRate : 0.0;
    const int rightAxis = from.rightAxis;
    const int id = store.addUnderFreeId(title, x, y, rightAxis, xIsTime);
    store.find(id)->sampleRate = rate;
    // A curve that Undo could not take away again is not added.
    try {
        undo.saveAddition(id);
    } catch (const std::bad_alloc&) {
        store.remove(id);
        throw;
    }
    added = id;
    axes.showDataRange(store.rangeOf(id), QwtPlot::yLeft);
    axes.rebuildZoomers();
    axes.syncRangeSpinBoxes();
    curveAdded(id);
}

bool DeriveTool::fail(const QString& text)
{
    failure = text;
    log.line(QStringLiteral("Kurvo: ") + text);
    return false;
}
