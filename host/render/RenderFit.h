#pragma once

#include "RenderOptions.h"

class PlotServer;
class QTextStream;

// Curve fitting in kurvo-render: its options, and the fit of the current curve through the
// plot's fit tool, as Process → Fit... fits it, within the x range the plot shows. The
// figures are printed as lines of the shortest text that reads back as the same double.
class RenderFit
{
public:
    enum class Outcome { Fitted, Failed, NotWritten };

    // --fit, --fit-model, --fit-start and --fit-out; `taken` tells whether the option was one.
    static bool parseOption(const QStringList& arguments, int& i, RenderOptions& options, bool& taken,
                            QString& error);

    RenderFit(PlotServer& server, const RenderOptions& options, QTextStream& out);

    // The reason in `error` unless Fitted: the fit's when it Failed, else that --fit-out's
    // file could not be written.
    Outcome apply(const RenderOptions::Step& step, QString& error);

private:
    static bool parseStarts(const QString& value, RenderOptions& options, QString& error);
    static bool write(const QString& path, const QStringList& lines);

    PlotServer& server;
    const RenderOptions& options;
    QTextStream& out;
};
