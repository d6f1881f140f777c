#include "SpectrogramSource.h"

#include "analysis/AnalysisFigures.h"
#include "AvailableMemory.h"
#include "CurveRecord.h"
#include "CurveStore.h"
#include "SamplingCheck.h"
#include "Spectrogram.h"

#include <qwt_plot_curve.h>

#include <new>
#include <stdexcept>

namespace {

const double kBytesPerMegabyte = 1024.0 * 1024.0;

} // namespace

bool SpectrogramSource::readCurrent(const CurveStore& store, const AxesController& axes)
{
    why.clear();
    note.clear();
    const CurveRecord* record = store.current();
    if (!record) {
        why = tr("Spectrogram: there is no current curve");
        return false;
    }
    curveTitle = record->curve->title().text();
    // One missing value would make every level of its segments NaN.
    if (record->gaps > 0) {
        why = tr("Spectrogram refused: %1 has %2 missing values").arg(curveTitle, QString::number(record->gaps));
        return false;
    }
    QVector<double> x;
    store.samples(store.currentId(), x, values);
    const SamplingCheck steps = checkSampling(x.constData(), std::size_t(x.size()));
    sampleRate = CurveSampleRate(axes).of(*record, steps);
    dates = record->xIsTime;
    start = x.isEmpty() ? 0.0 : x.front();
    if (steps.warns())
        note = QStringLiteral("Kurvo: uneven sampling in %1: rate %2 Hz, jitter %3, %4 gaps")
                   .arg(curveTitle, AnalysisFigures::exact(steps.rate), AnalysisFigures::exact(steps.jitter),
                        QString::number(steps.gaps));
    return true;
}

std::shared_ptr<const Spectrogram> SpectrogramSource::compute(const Settings& settings, const AvailableMemory& memory)
{
    why.clear();
    const double needed = double(Spectrogram::segmentsOf(count(), settings.length, settings.overlapPercent)) *
                          double(settings.length / 2 + 1) * sizeof(float);
    if (needed > double(memory.bytes())) {
        why = tr("Not enough memory for the spectrogram of %1: it needs %2 MB, %3 MB are available")
                  .arg(curveTitle, QString::number(needed / kBytesPerMegabyte, 'f', 1),
                       QString::number(double(memory.bytes()) / kBytesPerMegabyte, 'f', 1));
        return nullptr;
    }
    try {
        return std::make_shared<const Spectrogram>(values.constData(), count(), sampleRate.hz, settings.length,
                                                   settings.overlapPercent, settings.window);
    } catch (const std::invalid_argument& error) {
        why = tr("Spectrogram refused for %1: %2").arg(curveTitle, QString::fromUtf8(error.what()));
    } catch (const std::bad_alloc&) {
        why = tr("Not enough memory for the spectrogram of %1").arg(curveTitle);
    }
    return nullptr;
}
