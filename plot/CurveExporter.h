#pragma once

#include "analysis/CurveSampleRate.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class AxesController;
class CurveStore;
struct TableCurve;
class PlotLog;
class Prompt;
class QWidget;

// The curve menu's Export entries and the data files of the save dialog: one curve's x or y
// values as DIF, text or a workbook, all curves side by side as a table, and one curve as a
// mono WAV file. A file that cannot be written gives the log line "Kurvo: Can't write file …"
// with the system's reason; asked for through a dialog, also the SAVE ERROR box.
class CurveExporter
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    // A WAV file is written at its curve's rate by CurveSampleRate::ofTransform, as the
    // Fourier transform takes it.
    CurveExporter(QWidget* dialogParent, const CurveStore& store, PlotLog& log,
                  const std::unique_ptr<Prompt>& prompter, const AxesController& axes);

    void exportYdata();
    void exportXdata();
    void exportExcel();
    void exportWav();

    // By the end of `name` in any case: ".dif", ".txt" or ".xls"; any other name writes nothing.
    bool writeColumn(const QString& name, int id, bool useY);
    // A name ending in ".xlsx" (any case) writes a workbook with a header row of names, every
    // value exact; any other the CSV table.
    bool writeTable(const QString& name);
    bool writeWav(const QString& name, int id);

private:
    void askAndWrite(const char* folder, const char* filter, bool useY);
    // The name typed, with the chosen filter's suffix when it has none; empty when cancelled.
    QString ask(const char* folder, const char* filter);
    void warn(const QString& name);
    bool writeWorkbook(const QString& name, int id);
    bool writeXlsx(const QString& name, const std::vector<TableCurve>& curves);
    bool writeBytes(const QString& path, const std::string& bytes);
    bool cannotWrite(const QString& path, const QString& reason);

    QWidget* dialogParent;
    const CurveStore& store;
    PlotLog& log;
    const std::unique_ptr<Prompt>& prompter;
    CurveSampleRate sampleRate;
    // Why the last write failed, for the box.
    QString failure;
};
