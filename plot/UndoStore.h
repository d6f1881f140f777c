#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class AxesController;
class CurveStore;
class PlotLog;

// Snapshots of every curve, taken before a whole-plot transformation and read back by Undo.
// The files are numbered from 1 by a counter, the newest not yet undone; each plot widget keeps
// them in a folder of its own below the program's folder ("temp/undo/<process>-<widget>"), or
// below the user's cache folder where the program's folder cannot be written, and removes
// them when it goes. Which curves had dates and times as x is kept beside the files, by path,
// for as long as the widget lives, and comes back with their samples.
class UndoStore
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    // `curveRestored` runs for every curve a snapshot gives back.
    UndoStore(CurveStore& store, AxesController& axes, PlotLog& log, std::function<void(int)> curveRestored);
    ~UndoStore();

    int counter() const { return undoCounter; }
    QString filePath(int number);

    // Writes the next snapshot; false, with a log line, when it cannot be written.
    bool saveUndo();
    bool writeUndoFile(const QString& path);
    // All or nothing: false, with nothing changed, when the file cannot be read whole. A
    // restored curve's x holds dates and times when it did as the file was written here; from
    // a file written elsewhere, curves keep what their x holds now.
    bool loadUndoFile(const QString& path);
    // Reads back snapshot `index`, or the newest one for -1 (which then counts as undone).
    // Returns the counter less one.
    int undo(int index);
    // Takes back the newest snapshot of an operation that was cancelled.
    void dropNewest();

private:
    QString folder();

    CurveStore& store;
    AxesController& axes;
    PlotLog& log;
    std::function<void(int)> curveRestored;
    int undoCounter = 0;
    QString undoFolder;
    std::map<QString, std::vector<int>> timeCurves;
};
