#pragma once

#include <QObject>

#include <cstddef>
#include <functional>

class AnalysisTool;
class PlotServer;
class PlotServerUi;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class QTableWidget;
class QWidget;

// The Analysis tab beside Process and the table of its figures below the plot. Its buttons
// hand the tab's settings to the analysis tool and show the figures the tool kept; the table
// shows only while it holds the figures of the last run.
class AnalysisPanel : public QObject
{
    Q_OBJECT

public:
    AnalysisPanel(PlotServer* plotServer, AnalysisTool& tool);

    // The tab and the table, added to the tool panel as it is built.
    void build(PlotServerUi& ui);

private:
    QWidget* buildPage(QWidget* plotServer);
    QTableWidget* buildTable(QWidget* plotServer);
    std::size_t window() const;
    // `run` replaces every curve or measures the current one.
    void replace(const std::function<bool()>& run);
    void measure(const std::function<bool()>& run);
    void showFigures();
    // A window of its own with the spectrogram of the current curve, or a log line saying why not.
    void openSpectrogram();

    PlotServer* server;
    AnalysisTool& tool;
    QComboBox* windowBox = nullptr;
    QSpinBox* lengthBox = nullptr;
    QSpinBox* overlapBox = nullptr;
    QSpinBox* tonesBox = nullptr;
    QDoubleSpinBox* fundamentalBox = nullptr;
    QTableWidget* table = nullptr;
};
