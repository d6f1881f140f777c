#include "BatchRunner.h"

#include "BatchFigures.h"
#include "RenderOptions.h"
#include "ReportPage.h"
#include "SummaryTable.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstdio>

#include <unistd.h>

namespace {

bool writeRaw(std::FILE* stream, const QByteArray& bytes)
{
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) == std::size_t(bytes.size());
    return std::fflush(stream) == 0 && written;
}

// The run's own last word on standard error, without the program's name before it.
QString lastLine(const QByteArray& err)
{
    const QList<QByteArray> lines = err.trimmed().split('\n');
    QString line = QString::fromLocal8Bit(lines.back()).trimmed();
    if (line.startsWith(QLatin1String("kurvo-render: ")))
        line = line.mid(14);
    return line;
}

} // namespace

BatchRunner::BatchRunner(const BatchOptions& batch, const QStringList& arguments, QTextStream& out, QTextStream& err)
    : batch(batch)
    , options(optionsOnly(arguments))
    , out(out)
    , err(err)
{
    RenderOptions parsed;
    QString error;
    parsed.parse(arguments, error);
    inputs = parsed.inputs;
    runs.resize(std::size_t(inputs.size()));
    results.resize(std::size_t(inputs.size()));
    showProgress = ::isatty(STDERR_FILENO) != 0;
}

BatchRunner::~BatchRunner() = default;

QString BatchRunner::substituted(QString text, const QString& name, int n)
{
    return text.replace(QLatin1String("{name}"), name).replace(QLatin1String("{n}"), QString::number(n));
}

// An argument is an input when the parser, reading the line up to it, reads it as one: a
// value of an option may well be spelt as an input is. No option takes more than one value,
// so only an argument after an option needs the parser's word.
QStringList BatchRunner::optionsOnly(const QStringList& arguments)
{
    const auto isOption = [&](int i) {
        return arguments[i].startsWith(QLatin1Char('-')) && arguments[i] != QLatin1String("-");
    };
    QStringList kept;
    int inputsBefore = 0;
    for (int i = 0; i < arguments.size(); ++i) {
        bool input = !isOption(i);
        if (input && i > 0 && isOption(i - 1)) {
            RenderOptions parsed;
            QString error;
            parsed.parse(arguments.mid(0, i + 1), error);
            input = parsed.inputs.size() > inputsBefore;
        }
        if (input)
            ++inputsBefore;
        else
            kept << arguments[i];
    }
    return kept;
}

QString BatchRunner::figuresPrefix(int index) const
{
    return figureFolder.filePath(QString::number(index + 1));
}

QStringList BatchRunner::childArguments(int index) const
{
    const QString& name = results[std::size_t(index)].name;
    QStringList arguments;
    for (const QString& option : options)
        arguments << substituted(option, name, index + 1);
    arguments << inputs[index] << QStringLiteral("--batch-figures") << figuresPrefix(index);
    if (!batch.report.isEmpty())
        arguments << QStringLiteral("--batch-picture");
    return arguments;
}

void BatchRunner::start(int index)
{
    Run& run = runs[std::size_t(index)];
    run.process = std::make_unique<QProcess>();
    QProcess* process = run.process.get();
    QObject::connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished),
                     [this, index](int code, QProcess::ExitStatus status) {
                         finish(index, code, status == QProcess::CrashExit);
                     });
    QObject::connect(process, &QProcess::errorOccurred, [this, index](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(index, -1, true);
    });
    if (showProgress) {
        err << '[' << index + 1 << '/' << inputs.size() << "] " << QFileInfo(inputs[index]).fileName() << '\n';
        err.flush();
    }
    process->start(QCoreApplication::applicationFilePath(), childArguments(index));
}

void BatchRunner::finish(int index, int exitCode, bool crashed)
{
    Run& run = runs[std::size_t(index)];
    if (run.done)
        return;
    run.done = true;
    run.out = run.process->readAllStandardOutput();
    run.err = run.process->readAllStandardError();
    BatchResult& result = results[std::size_t(index)];
    result.ok = exitCode == 0 && !crashed && BatchFigures::read(figuresPrefix(index), result);
    if (!result.ok) {
        if (run.process->error() == QProcess::FailedToStart)
            result.reason = QStringLiteral("cannot start: %1").arg(run.process->errorString());
        else
            result.reason = crashed ? QStringLiteral("the run stopped before its end") : lastLine(run.err);
        if (result.reason.isEmpty())
            result.reason = QStringLiteral("exit status %1").arg(exitCode);
    }
    ++finished;
    if (started < inputs.size())
        start(started++);
    passOnInOrder();
}

// Standard output and error of each run as it wrote them, input after input.
void BatchRunner::passOnInOrder()
{
    out.flush();
    err.flush();
    while (passedOn < inputs.size() && runs[std::size_t(passedOn)].done) {
        Run& run = runs[std::size_t(passedOn)];
        outputLost = !writeRaw(stdout, run.out) || outputLost;
        writeRaw(stderr, run.err);
        const BatchResult& result = results[std::size_t(passedOn)];
        if (!result.ok) {
            err << "kurvo-render: " << result.input << " failed: " << result.reason << '\n';
            err.flush();
        }
        run.out.clear();
        run.err.clear();
        ++passedOn;
    }
}

int BatchRunner::run()
{
    if (!figureFolder.isValid()) {
        err << "kurvo-render: cannot make a temporary folder: " << figureFolder.errorString() << '\n';
        return 2;
    }
    for (int i = 0; i < inputs.size(); ++i) {
        results[std::size_t(i)].input = inputs[i];
        results[std::size_t(i)].name = QFileInfo(inputs[i]).baseName();
    }
    const int jobs = batch.jobs > 0 ? batch.jobs : std::max(1, QThread::idealThreadCount());
    QEventLoop loop;
    while (started < std::min(jobs, int(inputs.size())))
        start(started++);
    while (finished < inputs.size())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    // Figures printed to a full disk are no success either.
    if (outputLost)
        err << "kurvo-render: cannot write to standard output\n";
    const bool written = writeOutputs() && !outputLost;
    const bool allOk = std::all_of(results.begin(), results.end(), [](const BatchResult& r) { return r.ok; });
    return written && allOk ? 0 : 2;
}

bool BatchRunner::writeOutputs()
{
    QString error;
    if (!batch.summary.isEmpty() && !SummaryTable(results).write(batch.summary, error)) {
        err << "kurvo-render: " << error << '\n';
        return false;
    }
    if (!batch.report.isEmpty() && !ReportPage(results).write(batch.report, error)) {
        err << "kurvo-render: " << error << '\n';
        return false;
    }
    return true;
}
