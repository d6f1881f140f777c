#include "SpectrumTool.h"

#include "CurveRecord.h"
#include "CurveStore.h"
#include "Fft.h"
#include "Levels.h"
#include "PlotLog.h"
#include "Prompt.h"
#include "PromptProgress.h"
#include "WindowFunction.h"

#include <qwt_plot_curve.h>

#include <cmath>
#include <new>

namespace {

// Transforms of other lengths than powers of two take a moment from here on.
const std::size_t kLongTransform = std::size_t(1) << 16;
// The dialog is drawn, and Cancel can be pressed, every this many stages.
const int kStagesPerRefresh = 8;

bool showsProgress(const Fft& fft)
{
    return fft.isPowerOfTwo() ? fft.size() >= 4 : fft.size() >= kLongTransform;
}

} // namespace

SpectrumTool::SpectrumTool(QWidget* dialogParent, CurveStore& store, AxesController& axes, UndoStore& undo,
                           PlotLog& log, const std::unique_ptr<Prompt>& prompter, std::function<void(int)> curveChanged)
    : dialogParent(dialogParent)
    , store(store)
    , log(log)
    , prompter(prompter)
    , rewrite(store, axes, undo, log, std::move(curveChanged))
    , sampleRate(axes)
{
}

// The rate is taken before the curve's transform: the spectrum no longer has the audio file's.
bool SpectrumTool::applyDFT()
{
    if (anyCurveHasGaps())
        return false;
    return rewrite.run([this](int id) { return transformCurve(id, sampleRate.ofTransform(*store.find(id))); },
                       CurveRewrite::Change::XAndY);
}

// Every bin of a spectrum sums every sample, so one missing value would leave no bin with a
// value. Each such curve is named, so that the user knows what to fill in or cut out.
bool SpectrumTool::anyCurveHasGaps() const
{
    bool found = false;
    for (const auto& entry : store.records()) {
        const CurveRecord& record = *entry.second;
        if (record.gaps == 0)
            continue;
        log.line(QStringLiteral("Kurvo: FFT refused: %1 has %2 missing values")
                     .arg(record.curve->title().text())
                     .arg(record.gaps));
        found = true;
    }
    return found;
}

void SpectrumTool::applyDB()
{
    rewrite.run([this](int id) { dbCurve(id); return true; }, CurveRewrite::Change::YFitted);
}

void SpectrumTool::applyAbs()
{
    rewrite.run([this](int id) { absCurve(id); return true; }, CurveRewrite::Change::YFitted);
}

void SpectrumTool::windowFunction(int index)
{
    if (index < 0 || std::size_t(index) >= kWindowFunctionCount)
        return;
    rewrite.run([this, index](int id) { applyWindow(id, index); return true; }, CurveRewrite::Change::Y);
}

bool SpectrumTool::transformCurve(int id, double fs)
{
    QVector<double> x;
    QVector<double> re;
    if (!store.samples(id, x, re) || re.size() < 2)
        return true;
    const std::size_t n = std::size_t(re.size());
    const Fft& fft = fftPlan(n);
    QVector<double> im(re.size(), 0.0);

    std::unique_ptr<PromptProgress> progress;
    if (showsProgress(fft))
        progress = prompter->progress(dialogParent, tr("Fast Fourier Transform ..."), tr("Cancel"), 0, fft.stages());
    const auto stage = [&progress](int done) {
        if (done % kStagesPerRefresh == 0) {
            progress->setValue(done);
            QCoreApplication::processEvents();
        }
        return !progress->wasCanceled();
    };
    if (!fft.forwardReal(re.data(), im.data(), progress ? Fft::Progress(stage) : Fft::Progress()))
        return false;
    if (progress)
        progress->setValue(fft.stages());

    // Bin k of N points lies at k·fs/N.
    const double scale = fs / double(n);
    for (int k = 0; k < re.size(); ++k) {
        x[k] *= scale;
        re[k] = std::sqrt(re[k] * re[k] + im[k] * im[k]);
    }
    store.setSamples(id, x, re);
    store.find(id)->xIsTime = false;
    return true;
}

// Lifts the curve by the magnitude of its present minimum.
void SpectrumTool::absCurve(int id)
{
    QVector<double> y;
    if (!store.ySamples(id, y) || y.isEmpty())
        return;
    shiftByMinimum(y.data(), std::size_t(y.size()), store.find(id)->minimum);
    store.setY(id, y);
}

void SpectrumTool::dbCurve(int id)
{
    absCurve(id);
    QVector<double> y;
    if (!store.ySamples(id, y) || y.isEmpty())
        return;
    toDecibels(y.data(), std::size_t(y.size()), store.find(id)->minimum);
    store.setY(id, y);
}

void SpectrumTool::applyWindow(int id, int index)
{
    QVector<double> y;
    if (!store.ySamples(id, y) || y.size() < 2)
        return;
    ::applyWindow(WindowFunction(index), y.data(), std::size_t(y.size()));
    store.setY(id, y);
}
