#include "RenderAnalysis.h"

#include "PlotServer.h"
#include "analysis/AnalysisTool.h"

#include <QTextStream>

RenderAnalysis::RenderAnalysis(PlotServer& server, QTextStream& out)
    : server(server)
    , out(out)
{
}

bool RenderAnalysis::apply(const RenderOptions::Step& step, QString& error)
{
    if (!run(step)) {
        error = server.analysisTool().lastFailure();
        return false;
    }
    print(step);
    return true;
}

bool RenderAnalysis::run(const RenderOptions::Step& step)
{
    using Step = RenderOptions::Step;
    AnalysisTool& tool = server.analysisTool();
    const QVector<double>& n = step.numbers;
    switch (step.kind) {
    case Step::Psd:
        return tool.applyPsd(std::size_t(n[0]), n[1], std::size_t(n[2]));
    case Step::Amplitude:
        return tool.applyAmplitude(std::size_t(n[0]));
    case Step::Tones:
        return tool.findTones(std::size_t(n[0]), std::size_t(n[1]));
    case Step::Harmonics:
        return tool.analyseHarmonics(n[0], std::size_t(n[1]));
    case Step::Sampling:
        return tool.checkSampling();
    default:
        return true;
    }
}

void RenderAnalysis::print(const RenderOptions::Step& step)
{
    using Step = RenderOptions::Step;
    const AnalysisTool& tool = server.analysisTool();
    std::vector<AnalysisFigure> figures;
    if (step.kind == Step::Tones) {
        for (const Tone& tone : tool.tones())
            out << AnalysisFigures::exact(tone.frequency) << ',' << AnalysisFigures::exact(tone.amplitude) << '\n';
    } else if (step.kind == Step::Harmonics) {
        figures = AnalysisFigures::ofHarmonics(tool.harmonics());
    } else if (step.kind == Step::Sampling) {
        figures = AnalysisFigures::ofSampling(tool.sampling());
    }
    for (const AnalysisFigure& figure : figures)
        out << figure.key << ',' << AnalysisFigures::exact(figure.value) << '\n';
    out.flush();
}
