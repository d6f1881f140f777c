#pragma once

#include "RenderOptions.h"

#include <memory>

class PlotServer;
class QTextStream;
class RefusingPrompt;
class RenderSpectrogram;
class RenderProject;
struct ScriptResult;
struct ScriptSettings;

// One run of kurvo-render: a plot widget that is never shown, fed and driven exactly as
// the window's buttons drive it.
class RenderSession
{
public:
    enum Status { Success = 0, ScriptFailed = 1, FitFailed = 1, BadInput = 2 };

    RenderSession(const RenderOptions& options, QTextStream& out, QTextStream& err);
    ~RenderSession();

    Status run();
    // The plot the steps drove, for the figures a batch gathers once they are done.
    const PlotServer& plotServer() const { return *server; }

private:
    Status load(const QString& input);
    Status runScript(const QString& path);
    Status openProject(const QString& path);
    Status saveProject(const QString& path);
    static QString missingExpression(const QString& text, const ScriptSettings& settings);
    Status scriptFailed(const QString& path, const QString& reason);
    bool plotCurve(const ScriptResult& run);
    Status loadData(const QString& path);
    Status loadStandardInput();
    Status curvesAdded(int before, const QString& source);
    Status transform();
    Status undo();
    Status apply(const RenderOptions::Step& step);
    Status select(double number);
    Status printStatistics();
    Status printPeaks(const QVector<double>& settings);
    Status chooseUnits(const QString& units);
    Status choosePeakTab(const QString& tab);
    Status chooseStyle(const QString& style);
    Status giveSymbol(const QString& value);
    Status exportCurve(const RenderOptions::Step& step);
    Status analyse(const RenderOptions::Step& step);
    Status fit(const RenderOptions::Step& step);
    Status spectrogramStep(const RenderOptions::Step& step);
    Status printTo(const QString& path);
    Status dump(const QString& path);
    void writeDump(QTextStream& csv) const;
    Status render(const QString& path);
    Status fail(const QString& reason);

    const RenderOptions& options;
    QTextStream& out;
    QTextStream& err;
    std::unique_ptr<PlotServer> server;
    RefusingPrompt* prompt = nullptr;
    std::unique_ptr<RenderSpectrogram> spectrogram;
    std::unique_ptr<RenderProject> project;
};
