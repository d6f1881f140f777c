#pragma once

#include "RenderOptions.h"

class PlotServer;
class QTextStream;

// The spectral analyses of kurvo-render: each asks the plot's analysis tool what the Analysis
// tab's buttons ask it, and prints the figures it kept with every digit.
class RenderAnalysis
{
public:
    RenderAnalysis(PlotServer& server, QTextStream& out);

    // False, with the tool's reason in `error`, when it refused or measured nothing.
    bool apply(const RenderOptions::Step& step, QString& error);

private:
    bool run(const RenderOptions::Step& step);
    void print(const RenderOptions::Step& step);

    PlotServer& server;
    QTextStream& out;
};
