#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QUrl>

#include "TableOptions.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct DataSource;
struct ImportedData;
class AxesController;
class PartFormat;
class CurveStore;
class PlotLog;
class Prompt;
class QWidget;
class QwtPlot;
class QwtPlotCurve;

// The one way from a data file to the plot: the Open dialog and the DATA SIZE question, the
// reader the file's suffix names, and the curves it read put into the store, the axes fitted
// to them and the zoom history started afresh. The outcome shows only in the log and the plot.
class DataImporter
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    // `curveShown` runs for every curve read, once the axes show them all.
    DataImporter(QWidget* parent, QwtPlot* plot, CurveStore& store, AxesController& axes, PlotLog& log,
                 const std::unique_ptr<Prompt>& prompter, std::function<void(int)> curveShown);

    // Asks for files and the data size, then loads every file chosen; the dialog remembers
    // the folder and the filter for the next time.
    void openFiles();
    // False when the question is cancelled.
    bool askDataSize(bool& fitToPowerOfTwo);
    // Asks for one file and shows how its table will be read, each guess changeable, then
    // loads it as chosen.
    void importFile();
    // A caller's identifier (>= 0) numbers the file's first curve. Text tables are read with
    // the table options in force.
    void load(int id, const QString& path, const QString& name, bool fitToPowerOfTwo);
    void load(int id, const QString& path, const QString& name, bool fitToPowerOfTwo, const TableOptions& table);
    // How every text table loaded from now on is read, where the automatic rules guess wrong.
    void setTableOptions(const TableOptions& table) { tableOptions = table; }
    // What `read` makes of data that is no file, such as a pipe, shown as a file's curves are;
    // `source` stands for the path in the log and the window title.
    // True when it gave curves.
    bool loadFrom(int id, const QString& source, const QString& name, const std::function<ImportedData()>& read);
    // Runs with the path of every data file that gave curves, whichever way it came.
    void setFileLoaded(std::function<void(const QString&)> callback) { fileLoaded = std::move(callback); }
    // Files dropped on the plot: one DATA SIZE question, then every file in order; folders and
    // anything that is no local file are left out with a log line.
    void loadDropped(const QList<QUrl>& urls);

private:
    enum class Outcome { Shown, Empty, Cancelled };

    Outcome readAndShow(int id, const QString& source, const QString& name, const std::function<ImportedData()>& read);
    bool show(const ImportedData& data);
    void loadParts(const PartFormat& format, int id, const DataSource& source, const QString& name,
                   bool fitToPowerOfTwo, const TableOptions& table);
    void drawAsSticks(const std::vector<std::pair<int, QwtPlotCurve*>>& curves);
    QString startFolder() const;
    void rememberFolder(const QString& file);

    QWidget* parent;
    QwtPlot* plot;
    CurveStore& store;
    AxesController& axes;
    PlotLog& log;
    const std::unique_ptr<Prompt>& prompter;
    std::function<void(int)> curveShown;
    std::function<void(const QString&)> fileLoaded;
    QString lastDataFolder;
    QString lastDataFilter;
    TableOptions tableOptions;
};
