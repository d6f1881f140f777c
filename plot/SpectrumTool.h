#pragma once

#include <QCoreApplication>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

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

    // `fs` is the sampling frequency: bin k lands at x = k·fs/N for x = 0 … N−1.
    // False when refused (curves with gaps) or cancelled.
    bool applyDFT(double fs);
    void applyDB();
    void applyAbs();
    // An index outside the window list changes nothing.
    void windowFunction(int index);

    // One curve each; false when the transform was cancelled or could not get its memory.
    bool transformCurve(int id, double fs);
    void absCurve(int id);
    void dbCurve(int id);
    void applyWindow(int id, int index);

private:
    struct Before {
        int id;
        QVector<double> x;
        QVector<double> y;
        bool xIsTime = false;
    };

    // Logs every curve with gaps; true when there is one.
    bool anyCurveHasGaps() const;
    // Runs `each` on every curve after a snapshot, fits the axes to them all if asked, then
    // shows the changed curves.
    bool run(const std::function<bool(int)>& each, bool fitAxes);
    // Stops and restores every curve when `each` fails; `changed` names the curves done.
    bool forEveryCurve(const std::function<bool(int)>& each, std::vector<int>& changed);
    void restore(const std::vector<Before>& before);

    QWidget* dialogParent;
    CurveStore& store;
    AxesController& axes;
    UndoStore& undo;
    PlotLog& log;
    const std::unique_ptr<Prompt>& prompter;
    std::function<void(int)> curveChanged;
};
