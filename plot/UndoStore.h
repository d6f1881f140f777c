#pragma once

#include "ErasedCurve.h"
#include "UndoFolder.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <map>
#include <set>
#include <vector>

class AxesController;
class CurveStore;
class PlotLog;
class QWidget;

// Snapshots of every curve, taken before a whole-plot transformation and read back by Undo.
// The files are numbered from 1 by a counter, the newest not yet undone, in the widget's
// private folder (UndoFolder). Each file is created new: anything already in its place, a
// planted link above all, makes the snapshot fail instead of being written through, and only
// files written here are read back. An operation whose snapshot failed is still done; undoing
// it says why it cannot be undone and moves on to the snapshot before, so that the earlier
// ones stay reachable. Which curves had dates and times as x is kept beside the files, by
// path, for as long as the widget lives, and comes back with their samples, as do the rates
// of the curves read from audio files. An operation that adds a curve instead of changing the
// others takes a step without a file, and undoing it takes that curve away again; an erasure
// keeps the erased curve in memory, and undoing it adds the curve back. The Undo button is
// enabled exactly while there is something to undo, and its tool tip says what that is.
class UndoStore
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    // `curveRestored` runs for every curve a snapshot gives back.
    UndoStore(CurveStore& store, AxesController& axes, PlotLog& log, QWidget* undoButton,
              std::function<void(int)> curveRestored);

    int counter() const { return undoCounter; }
    // The Undo button, built after the store, takes the state of the steps kept so far.
    void setButton(QWidget* button);
    // Empty when the private folder cannot be made.
    QString filePath(int number);
    // Why the last `undo` gave nothing back, as it was logged; empty when it restored the
    // curves or found nothing to undo.
    const QString& lastFailure() const { return failure; }

    // Writes the next snapshot; false, with a log line, when it cannot be written.
    bool saveUndo();
    // The next step is the addition of curve `id`, which must be there.
    void saveAddition(int id);
    // The next step is the erasure of curve `id`, taken before the curve goes.
    void saveErasure(int id);
    // Creates the file `path`, which must not exist yet; false with the reason when it cannot.
    bool writeUndoFile(const QString& path, QString& reason);
    // All or nothing: false, with nothing changed, when the file cannot be read whole. A
    // restored curve's x holds dates and times when it did as the file was written here; from
    // a file written elsewhere, curves keep what their x holds now.
    bool loadUndoFile(const QString& path);
    // Reads back snapshot `index`, or the newest one for -1 (which then counts as undone).
    // Returns the counter less one.
    int undo(int index);
    // Takes back the newest snapshot of an operation that was cancelled.
    void dropNewest();
    // Lets go of every step, as when a project takes the place of everything shown: steps
    // taken before it would bring back curves that are no longer there.
    void clear();

private:
    struct Addition {
        int id;
        quint64 serial;
    };

    QString pathOf(int number, QString& reason);
    // Lets go of what step `number` held before it is taken anew or dropped.
    void forget(int number);
    void takeAway(const Addition& added);
    void setCounter(int value);
    // What undoing step `number` does, as the tool tip names it.
    QString describe(int number) const;
    void fail(const QString& text);

    CurveStore& store;
    AxesController& axes;
    PlotLog& log;
    QWidget* undoButton;
    std::function<void(int)> curveRestored;
    UndoFolder folder;
    int undoCounter = 0;
    std::set<int> written;
    std::map<int, QString> notWritten;
    std::map<int, Addition> additions;
    std::map<int, ErasedCurve> erasures;
    QString failure;
    std::map<QString, std::vector<int>> timeCurves;
    std::map<QString, std::map<int, double>> audioRates;
};
