#pragma once

#include "DeriveTool.h"
#include "FilterSpec.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class AxesController;
struct CurveRecord;
class CurveStore;
class DataTableWindow;
class PlotLog;
class PlotServerUi;
class QwtPlot;
class Prompt;
class UndoStore;
class QWidget;

// Curves from curves in the Process tab and the curve menu: "New curve..." asks for an
// expression, "Filters..." for an operation on the current curve (FilterDialog), both through
// the prompt, and "Data" shows the current curve's points in the data table. An operation that
// fails says why in a message.
class DerivePanel : public QObject
{
    Q_OBJECT

public:
    // `curveAdded` runs for every new curve once the axes show it.
    DerivePanel(QWidget* plotServer, QwtPlot* plot, CurveStore& store, AxesController& axes, UndoStore& undo,
                PlotLog& log, const std::unique_ptr<Prompt>& prompter, std::function<void(int)> curveAdded);
    ~DerivePanel() override;

    // The three buttons, added to the Process tab as the tool panel is built.
    void build(PlotServerUi& ui);

    DeriveTool& tool() { return deriver; }
    // Null until the table was first shown; the plot widget owns it.
    DataTableWindow* dataTable() const { return table; }

    void askNewCurve();
    void askFilter();
    void showData();

private:
    // The sampling frequency the dialog shows for the current curve.
    double rateOf(const CurveRecord& current) const;

    QWidget* plotServer;
    QwtPlot* plot;
    CurveStore& store;
    AxesController& axes;
    PlotLog& log;
    const std::unique_ptr<Prompt>& prompter;
    DeriveTool deriver;
    DataTableWindow* table = nullptr;
    // The last expression and operation asked for, offered again.
    QString lastExpression;
    std::optional<FilterSpec> lastFilter;
};
