#pragma once

#include <QWidget>

class CurveStore;
class CurveTableModel;
class QModelIndex;
class QTableView;
class QwtPlot;
class QwtPlotMarker;
class PlotLog;

// The points of one curve in a window of its own beside the plot, not modal, found by the
// object name "dataTable". Selected rows copy to the clipboard (Copy, Ctrl+C) as the model
// writes them; clicking a row moves a marker to that point on the plot. The window shows the
// points the curve had when it was opened, and closes when the curve is removed.
class DataTableWindow : public QWidget
{
    Q_OBJECT

public:
    DataTableWindow(QWidget* plotServer, QwtPlot* plot, const CurveStore& store, PlotLog& log);

    // Takes the points of curve `id`; false, changing nothing, when there is no such curve.
    // Showing the window is the caller's (Prompt::showWindow).
    bool setCurve(int id);
    int curve() const { return shown; }
    const CurveTableModel& model() const { return *table; }
    QTableView* view() const { return rows; }
    // Null until a row was clicked; the plot owns it.
    const QwtPlotMarker* marker() const { return pointMarker; }

    void copySelection();

private:
    void markRow(const QModelIndex& index);
    void curveRemoved(int id);

    QwtPlot* plot;
    const CurveStore& store;
    PlotLog& log;
    CurveTableModel* table = nullptr;
    QTableView* rows = nullptr;
    QwtPlotMarker* pointMarker = nullptr;
    int shown = -1;
};
