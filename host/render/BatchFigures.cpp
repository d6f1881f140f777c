#include "BatchFigures.h"

#include "CurveRecord.h"
#include "PeakPanel.h"
#include "PlotImageWriter.h"
#include "PlotServer.h"
#include "RenderOptions.h"
#include "StatisticsCells.h"
#include "analysis/AnalysisFigures.h"
#include "analysis/AnalysisTool.h"
#include "fitting/FitReport.h"
#include "fitting/FitTool.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace {

bool asked(const RenderOptions& options, RenderOptions::Step::Kind kind)
{
    return std::any_of(options.steps.begin(), options.steps.end(),
                       [kind](const RenderOptions::Step& step) { return step.kind == kind; });
}

QJsonArray pairs(const BatchResult::Figures& figures)
{
    QJsonArray array;
    for (const auto& [key, value] : figures)
        array.append(QJsonArray{key, value});
    return array;
}

BatchResult::Figures pairs(const QJsonArray& array)
{
    BatchResult::Figures figures;
    for (const QJsonValue& pair : array)
        figures.emplace_back(pair.toArray().at(0).toString(), pair.toArray().at(1).toString());
    return figures;
}

QStringList texts(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& text : value.toArray())
        list << text.toString();
    return list;
}

} // namespace

BatchResult BatchFigures::collect(const PlotServer& server, const RenderOptions& options)
{
    using Step = RenderOptions::Step;
    BatchResult result;
    if (const CurveRecord* record = server.record(server.currentCurve())) {
        for (const StatisticsCell& cell : StatisticsCell::all()) {
            const QString value = cell.figure ? AnalysisFigures::exact(record->*cell.figure)
                                              : QString::number(record->*cell.count);
            result.statistics.emplace_back(QLatin1String(cell.label), value);
        }
    }
    result.peaksAsked = asked(options, Step::Peaks);
    if (result.peaksAsked) {
        result.positivePeaks = server.peakPanel().entries(true);
        result.negativePeaks = server.peakPanel().entries(false);
    }
    const AnalysisTool& tool = server.analysisTool();
    if (asked(options, Step::Tones)) {
        for (std::size_t i = 0; i < tool.tones().size(); ++i) {
            const QString tone = QStringLiteral("tone_%1_").arg(i + 1);
            result.figures.emplace_back(tone + QLatin1String("hz"), AnalysisFigures::exact(tool.tones()[i].frequency));
            result.figures.emplace_back(tone + QLatin1String("amplitude"),
                                        AnalysisFigures::exact(tool.tones()[i].amplitude));
        }
    }
    if (asked(options, Step::Harmonics)) {
        for (const AnalysisFigure& figure : AnalysisFigures::ofHarmonics(tool.harmonics()))
            result.figures.emplace_back(figure.key, AnalysisFigures::exact(figure.value));
    }
    if (asked(options, Step::Fit) || asked(options, Step::FitModel))
        addFit(server, result.figures);
    return result;
}

// The lines --fit prints, each figure named fit_NAME and a parameter's error fit_NAME_stderr.
void BatchFigures::addFit(const PlotServer& server, BatchResult::Figures& figures)
{
    for (const QString& line : FitReport::lines(server.fitTool().result())) {
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() == 4 && fields[0] == QLatin1String("param")) {
            figures.emplace_back(QLatin1String("fit_") + fields[1], fields[2]);
            figures.emplace_back(QLatin1String("fit_") + fields[1] + QLatin1String("_stderr"), fields[3]);
        } else if (fields.size() == 2) {
            figures.emplace_back(QLatin1String("fit_") + fields[0], fields[1]);
        }
    }
}

bool BatchFigures::write(const PlotServer& server, const RenderOptions& options, const QString& prefix,
                         bool picture, QString& error)
{
    const BatchResult result = collect(server, options);
    QJsonObject object{{QStringLiteral("statistics"), pairs(result.statistics)},
                       {QStringLiteral("figures"), pairs(result.figures)}};
    if (result.peaksAsked) {
        object.insert(QStringLiteral("positive"), QJsonArray::fromStringList(result.positivePeaks));
        object.insert(QStringLiteral("negative"), QJsonArray::fromStringList(result.negativePeaks));
    }
    QSaveFile file(prefix + QLatin1String(".json"));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(object).toJson()) < 0 || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    const QString png = prefix + QLatin1String(".png");
    if (picture && !PlotImageWriter::write(server.plot(), png, options.size)) {
        error = QStringLiteral("cannot write the picture %1").arg(png);
        return false;
    }
    return true;
}

bool BatchFigures::read(const QString& prefix, BatchResult& result)
{
    QFile file(prefix + QLatin1String(".json"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    if (object.isEmpty())
        return false;
    result.statistics = pairs(object.value(QStringLiteral("statistics")).toArray());
    result.figures = pairs(object.value(QStringLiteral("figures")).toArray());
    result.peaksAsked = object.contains(QStringLiteral("positive"));
    result.positivePeaks = texts(object.value(QStringLiteral("positive")));
    result.negativePeaks = texts(object.value(QStringLiteral("negative")));
    QFile png(prefix + QLatin1String(".png"));
    if (png.open(QIODevice::ReadOnly))
        result.picturePng = png.readAll();
    return true;
}
