#include "AnalysisTool.h"

#include "AmplitudeSpectrum.h"
#include "CurveRecord.h"
#include "CurveStore.h"
#include "PlotLog.h"
#include "ToneEstimator.h"
#include "VectorCopy.h"
#include "WelchPsd.h"

#include <qwt_plot_curve.h>

#include <new>
#include <stdexcept>

AnalysisTool::AnalysisTool(CurveStore& store, AxesController& axes, UndoStore& undo, PlotLog& log,
                           std::function<void(int)> curveChanged)
    : store(store)
    , log(log)
    , sampleRate(axes)
    , rewrite(store, axes, undo, log, std::move(curveChanged))
{
}

bool AnalysisTool::applyPsd(std::size_t length, double overlapPercent, std::size_t window)
{
    return transformAll(tr("PSD"), length, [=](const Samples& curve) {
        return welchPsd(curve.y.constData(), std::size_t(curve.y.size()), curve.rate.hz, length, overlapPercent,
                        window);
    });
}

bool AnalysisTool::applyAmplitude(std::size_t window)
{
    return transformAll(tr("Amplitude spectrum"), 2, [=](const Samples& curve) {
        return amplitudeSpectrum(curve.y.constData(), std::size_t(curve.y.size()), curve.rate.hz, window);
    });
}

bool AnalysisTool::findTones(std::size_t count, std::size_t window)
{
    lastTones.clear();
    return measureCurrent(tr("Tones"), true, [&](const Samples& curve) {
        lastTones = ::findTones(curve.y.constData(), std::size_t(curve.y.size()), curve.rate.hz, window, count);
        return AnalysisFigures::ofTones(lastTones);
    });
}

bool AnalysisTool::analyseHarmonics(double fundamentalHz, std::size_t window)
{
    lastHarmonics = HarmonicFigures();
    return measureCurrent(tr("Harmonics"), true, [&](const Samples& curve) {
        lastHarmonics = ::analyseHarmonics(curve.y.constData(), std::size_t(curve.y.size()), curve.rate.hz, window,
                                           fundamentalHz);
        std::vector<AnalysisFigure> figures = AnalysisFigures::ofHarmonics(lastHarmonics);
        for (AnalysisFigure& order : AnalysisFigures::ofHarmonicOrders(lastHarmonics))
            figures.push_back(std::move(order));
        return figures;
    });
}

bool AnalysisTool::checkSampling()
{
    return measureCurrent(tr("Sampling"), false, [](const Samples&) { return std::vector<AnalysisFigure>(); });
}

// Every curve that cannot be transformed is named before any is, so that one run shows the
// user everything to mend.
bool AnalysisTool::transformAll(const QString& operation, std::size_t minimumPoints, const Transform& transform)
{
    QString first;
    for (const auto& entry : store.records()) {
        const QString reason = refusal(*entry.second, minimumPoints);
        if (reason.isEmpty())
            continue;
        fail(tr("%1 refused: %2").arg(operation, reason));
        if (first.isEmpty())
            first = failure;
    }
    failure = first;
    if (!first.isEmpty())
        return false;
    return rewrite.run([&](int id) { return transformCurve(id, operation, transform); },
                       CurveRewrite::Change::XAndY);
}

bool AnalysisTool::transformCurve(int id, const QString& operation, const Transform& transform)
{
    const QString title = CurveStore::titleOf(*store.find(id));
    try {
        const Samples curve = read(id);
        const Spectrum spectrum = transform(curve);
        store.setSamples(id, qVectorOf(spectrum.x), qVectorOf(spectrum.y));
        store.find(id)->xIsTime = false;
        const QString averaged =
            spectrum.segments > 1 ? tr(", %1 segments averaged").arg(spectrum.segments) : QString();
        log.line(QStringLiteral("Kurvo: %1 of %2: sampling frequency %3 Hz (%4)%5")
                     .arg(operation, title, AnalysisFigures::exact(curve.rate.hz),
                          tr(CurveSampleRate::sourceName(curve.rate.source)), averaged));
        return true;
    } catch (const std::invalid_argument& error) {
        fail(tr("%1 refused for %2: %3").arg(operation, title, QString::fromUtf8(error.what())));
    } catch (const std::bad_alloc&) {
        fail(tr("Not enough memory for the %1 of %2").arg(operation, title));
    }
    return false;
}

bool AnalysisTool::measureCurrent(const QString& operation, bool spectral, const Measure& measure)
{
    failure.clear();
    lastFigures.clear();
    lastSampling = SamplingCheck();
    const CurveRecord* record = store.current();
    if (!record) {
        fail(tr("%1: there is no current curve").arg(operation));
        return false;
    }
    const QString title = CurveStore::titleOf(*record);
    const QString reason = spectral ? refusal(*record, 2) : QString();
    if (!reason.isEmpty()) {
        fail(tr("%1 refused: %2").arg(operation, reason));
        return false;
    }
    try {
        const Samples curve = read(store.currentId());
        std::vector<AnalysisFigure> figures = measure(curve);
        figures.push_back(AnalysisFigures::ofRate(curve.rate));
        for (AnalysisFigure& figure : AnalysisFigures::ofSampling(curve.check))
            figures.push_back(std::move(figure));
        lastSampling = curve.check;
        lastFigures = std::move(figures);
        logFigures(operation, title);
        return true;
    } catch (const std::invalid_argument& error) {
        fail(tr("%1 refused for %2: %3").arg(operation, title, QString::fromUtf8(error.what())));
    } catch (const std::bad_alloc&) {
        fail(tr("Not enough memory for the %1 of %2").arg(operation, title));
    }
    lastFigures.clear();
    return false;
}

// A spectrum sums every sample into every bin, so one missing value would spoil them all.
QString AnalysisTool::refusal(const CurveRecord& record, std::size_t minimumPoints)
{
    if (record.gaps > 0)
        return tr("%1 has %2 missing values").arg(CurveStore::titleOf(record), QString::number(record.gaps));
    const std::size_t points = record.curve->dataSize();
    if (points < minimumPoints)
        return tr("%1 has %2 points; it needs at least %3")
            .arg(CurveStore::titleOf(record), QString::number(points), QString::number(minimumPoints));
    return QString();
}

// The spectra assume one fixed step; uneven steps or gaps make them wrong without showing it.
AnalysisTool::Samples AnalysisTool::read(int id) const
{
    Samples curve;
    const CurveRecord& record = *store.find(id);
    curve.title = CurveStore::titleOf(record);
    store.samples(id, curve.x, curve.y);
    curve.check = ::checkSampling(curve.x.constData(), std::size_t(curve.x.size()));
    curve.rate = sampleRate.of(record, curve.check);
    if (curve.check.warns())
        log.line(QStringLiteral("Kurvo: uneven sampling in %1: rate %2 Hz, jitter %3, %4 gaps")
                     .arg(curve.title, AnalysisFigures::exact(curve.check.rate),
                          AnalysisFigures::exact(curve.check.jitter), QString::number(curve.check.gaps)));
    return curve;
}

void AnalysisTool::logFigures(const QString& operation, const QString& title) const
{
    for (const AnalysisFigure& figure : lastFigures)
        log.line(QStringLiteral("Kurvo: %1 of %2: %3 %4 %5")
                     .arg(operation, title, figure.label, AnalysisFigures::exact(figure.value), figure.unit)
                     .trimmed());
}

void AnalysisTool::fail(const QString& text)
{
    failure = text;
    log.line(QStringLiteral("Kurvo: ") + text);
}
