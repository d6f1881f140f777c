#pragma once

#include <QVector>

#include <functional>
#include <vector>

class AxesController;
class CurveStore;
class PlotLog;
class UndoStore;

// The frame of every operation that rewrites all curves in place: one undo snapshot first,
// then the curves in identifier order, each kept in memory as it was. When the operation
// fails on one curve, every curve goes back to what it was and the snapshot is taken back, so
// a refused or cancelled operation leaves nothing behind, not even an Undo step.
class CurveRewrite
{
public:
    // What an operation changes besides y.
    enum class Change {
        // y only, and the axes stay where they are.
        Y,
        // y, with the axes fitted to every curve afterwards.
        YFitted,
        // x and y: x no longer counts the samples of an audio file, so the curve loses its
        // audio rate. The axes are fitted.
        XAndY
    };

    // `curveChanged` runs for every curve given new samples, once the axes show them all.
    CurveRewrite(CurveStore& store, AxesController& axes, UndoStore& undo, PlotLog& log,
                 std::function<void(int)> curveChanged);

    // Runs `each` on every curve; false, with every curve as it was, when it failed on one.
    // Not having the memory for a curve is such a failure; `each` logs its own.
    bool run(const std::function<bool(int)>& each, Change change);

private:
    struct Before {
        int id;
        QVector<double> x;
        QVector<double> y;
        bool xIsTime = false;
        double sampleRate = 0;
    };

    // Stops and restores every curve when `each` fails; `changed` names the curves done.
    bool forEveryCurve(const std::function<bool(int)>& each, Change change, std::vector<int>& changed);
    void restore(const std::vector<Before>& before);

    CurveStore& store;
    AxesController& axes;
    UndoStore& undo;
    PlotLog& log;
    std::function<void(int)> curveChanged;
};
