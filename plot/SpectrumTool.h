#pragma once

#include "CurveRewrite.h"
#include "analysis/CurveSampleRate.h"

#include <QCoreApplication>

#include <functional>
#include <memory>

class AxesController;
class CurveStore;
class PlotLog;
class Prompt;
class QWidget;
class UndoStore;

// The operations that rewrite every curve in place: the Fourier transform, dB, the
// absolute-value shift and the window functions. Each takes an undo snapshot first and then
// works through the curves in identifier order; curves of fewer than two points stay as they
// are. A cancelled transform puts every curve back as it was and takes the snapshot back.
// A transform of curves of which any has a missing (NaN) y value is refused before anything
// changes; the other operations keep every gap a gap.
class SpectrumTool
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    // `curveChanged` runs for every curve given new samples, once the axes show them all.
    SpectrumTool(QWidget* dialogParent, CurveStore& store, AxesController& axes, UndoStore& undo, PlotLog& log,
                 const std::unique_ptr<Prompt>& prompter, std::function<void(int)> curveChanged);

    // Each curve at its own sampling frequency (CurveSampleRate::ofTransform).
    // False when refused (curves with gaps) or cancelled.
    bool applyDFT();
    void applyDB();
    void applyAbs();
    // An index outside the window list changes nothing.
    void windowFunction(int index);

    // One curve each; `fs` is the sampling frequency: bin k lands at x = k·fs/N for
    // x = 0 … N−1. False when the transform was cancelled or could not get its memory.
    bool transformCurve(int id, double fs);
    void absCurve(int id);
    void dbCurve(int id);
    void applyWindow(int id, int index);

private:
    // Logs every curve with gaps; true when there is one.
    bool anyCurveHasGaps() const;

    QWidget* dialogParent;
    CurveStore& store;
    PlotLog& log;
    const std::unique_ptr<Prompt>& prompter;
    CurveRewrite rewrite;
    CurveSampleRate sampleRate;
};
