#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

class CurveExporter;
class CurveStore;
class PlotLog;
class Prompt;
class QPrinter;
class QWidget;
class QwtPlot;

// The plot on paper and in files: the print preview and the page it paints, and the save
// dialog, which sends pictures to the renderer and data names to the exporters. A file that
// cannot be written is never passed over in silence: a log line and a "SAVE ERROR" box.
class PlotOutput
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    PlotOutput(QWidget* dialogParent, QwtPlot* plot, const CurveStore& store, CurveExporter& exporter,
               PlotLog& log, const std::unique_ptr<Prompt>& prompter);

    void print();
    void preparePrinter(QPrinter& printer) const;
    // Colour pages show the canvas white; greyscale pages leave the canvas out and frame the
    // plot with its scales. The canvas colour is the same afterwards. A print into a file
    // replaces the file only when complete, or tells the user why it could not.
    // False, with a log line and a SAVE ERROR box, when a print into a file fails.
    bool paintRequested(QPrinter* printer);
    void saveBitmap();
    // Writes `name` as the save dialog would, by its suffix; false after telling the user why.
    bool save(const QString& name);

private:
    bool printToFile(QPrinter& printer);
    void paintPage(QPrinter& printer);
    bool saveImage(const QString& name);
    bool refuse(const QString& name, const QString& reason);
    bool warn(const QString& name, const QString& reason);

    QWidget* dialogParent;
    QwtPlot* plot;
    const CurveStore& store;
    CurveExporter& exporter;
    PlotLog& log;
    const std::unique_ptr<Prompt>& prompter;
};
