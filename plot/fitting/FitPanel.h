#pragma once

#include "FitReport.h"
#include "FitTool.h"

#include <QObject>

#include <memory>
#include <vector>

class CurveStore;
class PlotServerUi;
class Prompt;
class QTableWidget;
class QWidget;
struct FitRequest;

// Process → Fit...: asks for the fit through the prompt's Fit dialog, runs it under a progress
// dialog that can stop it, and shows its figures in a table below the plot, whose rows Copy
// puts on the clipboard as tab-separated text. A fit that fails says why in a message; the
// table shows only while it holds the figures of the last fit.
class FitPanel : public QObject
{
    Q_OBJECT

public:
    FitPanel(QWidget* plotServer, const CurveStore& store, FitTool& tool,
             const std::unique_ptr<Prompt>& prompter);

    // The Fit... button and the table, added to the tool panel as it is built.
    void build(PlotServerUi& ui);

private:
    QTableWidget* buildTable(QWidget* plotServer);
    void askAndFit();
    bool run(const FitRequest& request);
    void showFigures();
    void copyFigures() const;

    QWidget* plotServer;
    const CurveStore& store;
    FitTool& tool;
    const std::unique_ptr<Prompt>& prompter;
    QTableWidget* table = nullptr;
    std::vector<FitReport::Row> rows;
    // The model of the last fit, offered again.
    QString lastModel = QStringLiteral("line");
};
