#pragma once

#include "RenderOptions.h"

class CurveTableModel;
class PlotServer;
class QTextStream;

// Curves from curves in kurvo-render: --new-curve and --filter add a curve as Process → New
// curve... and Filters... add it, and it becomes the current curve; --table writes the current
// curve's points as the data table copies them, a header line first, comma-separated in a
// .csv file and tab-separated in any other or on standard output (-).
class RenderCurves
{
public:
    // --new-curve, --filter and --table; `taken` tells whether the option was one. A --filter
    // that does not read is bad usage.
    static bool parseOption(const QStringList& arguments, int& i, RenderOptions& options, bool& taken,
                            QString& error);
    // The options' lines of --help.
    static QString usage();

    // `out` is standard output.
    RenderCurves(PlotServer& server, QTextStream& out);

    // False with the reason in `error`.
    bool apply(const RenderOptions::Step& step, QString& error);

private:
    bool writeTable(const QString& path, QString& error) const;
    static void writeRows(const CurveTableModel& table, QChar separator, QTextStream& to);

    PlotServer& server;
    QTextStream& out;
};
