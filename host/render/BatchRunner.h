#pragma once

#include "BatchOptions.h"
#include "BatchResult.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

class QProcess;
class QTextStream;

// kurvo-render over each input in turn: the program runs itself once per input with the
// same options, a number of them at a time. Each run's output is passed on in the order of
// the inputs, so the outputs do not depend on how many ran at once.
class BatchRunner
{
public:
    // `arguments` are the command line without the batch options.
    BatchRunner(const BatchOptions& batch, const QStringList& arguments, QTextStream& out, QTextStream& err);
    ~BatchRunner();

    // 0 when every input succeeded and the summary and report were written, else 2.
    int run();

    // `text` with {name} and {n} replaced.
    static QString substituted(QString text, const QString& name, int n);
    // The arguments that are not inputs, in their order.
    static QStringList optionsOnly(const QStringList& arguments);

private:
    struct Run {
        std::unique_ptr<QProcess> process;
        QByteArray out;
        QByteArray err;
        bool done = false;
    };

    QStringList childArguments(int index) const;
    QString figuresPrefix(int index) const;
    void start(int index);
    void finish(int index, int exitCode, bool crashed);
    void passOnInOrder();
    bool writeOutputs();

    const BatchOptions& batch;
    QStringList inputs;
    QStringList options;
    QTextStream& out;
    QTextStream& err;
    // Where each run leaves its figures for the summary and the report.
    QTemporaryDir figureFolder;
    std::vector<Run> runs;
    std::vector<BatchResult> results;
    int started = 0;
    int finished = 0;
    int passedOn = 0;
    bool showProgress = false;
    bool outputLost = false;
};
