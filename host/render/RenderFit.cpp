#include "RenderFit.h"

#include "PlotServer.h"
#include "fitting/FitReport.h"
#include "fitting/FitTool.h"

#include <QSaveFile>
#include <QTextStream>

#include <cmath>

bool RenderFit::parseOption(const QStringList& arguments, int& i, RenderOptions& options, bool& taken,
                            QString& error)
{
    const QString option = arguments[i];
    taken = option == QLatin1String("--fit") || option == QLatin1String("--fit-model")
            || option == QLatin1String("--fit-start") || option == QLatin1String("--fit-out");
    if (!taken)
        return true;
    QString value;
    if (!RenderOptions::takeValue(arguments, i, value, error))
        return false;
    if (option == QLatin1String("--fit-start"))
        return parseStarts(value, options, error);
    if (option == QLatin1String("--fit-out")) {
        options.fitOut = value;
        return true;
    }
    using Step = RenderOptions::Step;
    options.steps.push_back({option == QLatin1String("--fit") ? Step::Fit : Step::FitModel, value, {}});
    return true;
}

// NAME=VALUE pairs separated by commas; a later value for a name replaces an earlier one.
bool RenderFit::parseStarts(const QString& value, RenderOptions& options, QString& error)
{
    for (const QString& pair : value.split(QLatin1Char(','))) {
        const QStringList parts = pair.split(QLatin1Char('='));
        const QString name = parts[0].trimmed();
        bool number = false;
        const double start = parts.size() == 2 ? parts[1].trimmed().toDouble(&number) : 0.0;
        if (name.isEmpty() || name.contains(QLatin1Char(' ')) || !number || !std::isfinite(start)) {
            error = QStringLiteral("--fit-start takes NAME=VALUE pairs separated by commas, each value a number: %1")
                        .arg(value);
            return false;
        }
        options.fitStarts[name.toStdString()] = start;
    }
    return true;
}

RenderFit::RenderFit(PlotServer& server, const RenderOptions& options, QTextStream& out)
    : server(server)
    , options(options)
    , out(out)
{
}

RenderFit::Outcome RenderFit::apply(const RenderOptions::Step& step, QString& error)
{
    FitRequest request;
    request.model = step.text;
    request.builtin = step.kind == RenderOptions::Step::FitModel;
    request.starts = options.fitStarts;
    FitTool& tool = server.fitTool();
    if (!tool.fit(request)) {
        error = tool.lastFailure();
        return Outcome::Failed;
    }
    const QStringList lines = FitReport::lines(tool.result());
    for (const QString& line : lines)
        out << line << '\n';
    out.flush();
    if (!options.fitOut.isEmpty() && !write(options.fitOut, lines)) {
        error = QStringLiteral("Can't write file %1").arg(options.fitOut);
        return Outcome::NotWritten;
    }
    return Outcome::Fitted;
}

// The file is replaced only once it is complete.
bool RenderFit::write(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream text(&file);
    for (const QString& line : lines)
        text << line << '\n';
    text.flush();
    return text.status() == QTextStream::Ok && file.commit();
}
