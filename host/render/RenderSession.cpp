#include "RenderSession.h"

#include "CurveStore.h"
#include "PlotImageWriter.h"
#include "PlotServer.h"
#include "RefusingPrompt.h"
#include "ScriptFile.h"
#include "ScriptRun.h"
#include "StatisticsCells.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <charconv>

namespace {

QTextStream* logStream = nullptr;

void copyLogLine(const QString& line)
{
    if (logStream)
        *logStream << line << '\n' << Qt::flush;
}

// Shortest text that reads back as the same double.
QString shortestNumber(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

RenderSession::RenderSession(const RenderOptions& options, QTextStream& out, QTextStream& err)
    : options(options)
    , out(out)
    , err(err)
    , server(std::make_unique<PlotServer>())
{
    auto refusing = std::make_unique<RefusingPrompt>();
    prompt = refusing.get();
    server->setPrompt(std::move(refusing));
    server->resize(options.size);
    server->begin(QStringLiteral("Kurvo"), QStringLiteral("X"), QStringLiteral("Y"), QString());
    if (options.log) {
        logStream = &err;
        server->setLogCallback(copyLogLine);
    }
}

RenderSession::~RenderSession()
{
    logStream = nullptr;
}

RenderSession::Status RenderSession::fail(const QString& reason)
{
    err << "kurvo-render: " << reason << '\n' << Qt::flush;
    return BadInput;
}

RenderSession::Status RenderSession::run()
{
    for (const QString& input : options.inputs) {
        const Status status = load(input);
        if (status != Success)
            return status;
    }
    for (const RenderOptions::Step& step : options.steps) {
        const Status status = apply(step);
        if (status != Success)
            return status;
        if (!prompt->firstQuestion().isEmpty())
            return fail(QStringLiteral("would have to ask \"%1\"").arg(prompt->firstQuestion()));
    }
    return Success;
}

RenderSession::Status RenderSession::load(const QString& input)
{
    const QFileInfo info(input);
    if (!info.isFile() || !info.isReadable())
        return fail(QStringLiteral("cannot read %1").arg(input));
    if (input.endsWith(QLatin1String(".ms")))
        return runScript(input);
    return loadData(input);
}

// As RUN does: a failed run still sets the titles but adds no curve.
RenderSession::Status RenderSession::runScript(const QString& path)
{
    const ScriptResult run = ::runScript(ScriptFile::load(path));
    if (run.ok)
        server->createPlot(-1, QStringLiteral("f(y)"), run.settings.count, run.x(), run.y(), false, 0);
    server->setTitle(run.settings.title);
    server->setXTitle(run.settings.xTitle);
    server->setYTitle(run.settings.yTitle);
    if (run.ok)
        return Success;
    err << "PARSER ERROR: " << path << ": " << run.error << '\n' << Qt::flush;
    return ScriptFailed;
}

RenderSession::Status RenderSession::loadData(const QString& path)
{
    const int before = server->curves();
    server->addCurve(-1, path, QFileInfo(path).baseName(), options.fitFft);
    if (server->curves() == before)
        return fail(QStringLiteral("no curve could be read from %1").arg(path));
    return Success;
}

RenderSession::Status RenderSession::apply(const RenderOptions::Step& step)
{
    using Step = RenderOptions::Step;
    switch (step.kind) {
    case Step::Title:
        server->setTitle(step.text);
        return Success;
    case Step::XTitle:
        server->setXTitle(step.text);
        return Success;
    case Step::YTitle:
        server->setYTitle(step.text);
        return Success;
    case Step::Range:
        server->setHorizStart(step.numbers[0]);
        server->setHorizStop(step.numbers[1]);
        server->setVertiLow(step.numbers[2]);
        server->setVertiHigh(step.numbers[3]);
        return Success;
    case Step::LogX:
        server->logXaxysSlot(true);
        return Success;
    case Step::LogY:
        server->logYaxysSlot(true);
        return Success;
    case Step::Calibrate:
        server->setHorCalibration(step.numbers[0]);
        return Success;
    case Step::Select:
        return select(int(step.numbers[0]));
    case Step::Stats:
        return printStatistics();
    case Step::Dump:
        return dump(step.text);
    case Step::Output:
        return render(step.text);
    case Step::Window:
        server->windowFunction(int(step.numbers[0]));
        return Success;
    case Step::Fft:
        server->applyDFT();
        return Success;
    case Step::Db:
        server->applyDB();
        return Success;
    case Step::Abs:
        server->applyAbs();
        return Success;
    case Step::Undo:
        server->undo();
        return Success;
    }
    return Success;
}

RenderSession::Status RenderSession::select(int id)
{
    if (!server->record(id))
        return fail(QStringLiteral("--select: there is no curve %1").arg(id));
    server->selectCurve(id);
    return Success;
}

RenderSession::Status RenderSession::printStatistics()
{
    const CurveRecord* record = server->record(server->currentCurve());
    if (!record)
        return fail(QStringLiteral("--stats: there is no current curve"));
    for (const StatisticsCell& cell : StatisticsCell::all())
        out << cell.label << ' ' << cell.valueText(*record) << '\n';
    out.flush();
    return Success;
}

RenderSession::Status RenderSession::dump(const QString& path)
{
    QFile file;
    if (path == QLatin1String("-")) {
        out.flush();
        if (!file.open(stdout, QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write to standard output"));
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(QStringLiteral("cannot write %1").arg(path));
    }
    QTextStream csv(&file);
    csv << "id,name,x,y\n";
    for (const auto& [id, record] : server->curveStore().records()) {
        const QString name = csvField(record->curve->title().text());
        const size_t n = record->curve->dataSize();
        for (size_t i = 0; i < n; ++i) {
            const QPointF p = record->curve->sample(int(i));
            csv << id << ',' << name << ',' << shortestNumber(p.x()) << ',' << shortestNumber(p.y()) << '\n';
        }
    }
    csv.flush();
    return Success;
}

RenderSession::Status RenderSession::render(const QString& path)
{
    if (!PlotImageWriter::write(server->plot(), path, options.size))
        return fail(QStringLiteral("cannot write the picture %1").arg(path));
    return Success;
}
