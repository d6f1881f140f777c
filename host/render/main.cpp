#include "BatchFigures.h"
#include "BatchOptions.h"
#include "BatchRunner.h"
#include "DataFormats.h"
#include "FileNameCodec.h"
#include "KurvoVersion.h"
#include "RenderOptions.h"
#include "RenderSession.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

// Qt wants a private runtime folder and says so on standard error when there is none; a batch
// tool that prints figures there gets one of its own instead.
void giveRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray folder = QDir::tempPath().toLocal8Bit() + "/kurvo-runtime-" + QByteArray::number(getuid());
    if (::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST) {
        struct stat info {};
        if (::stat(folder.constData(), &info) == 0 && info.st_uid == getuid() && (info.st_mode & 0077) == 0)
            qputenv("XDG_RUNTIME_DIR", folder);
    }
}

int main(int argc, char* argv[])
{
    // Qt never sees the arguments: it would take options such as --style and --title for
    // itself. It never shows a window either, so it always draws offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    giveRuntimeFolder();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // The arguments are names the file system holds, byte for byte, and messages naming
    // them give back the same bytes.
    FileNameCodec::install();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);

    BatchOptions batch;
    QStringList rest;
    RenderOptions options;
    QString error;
    if (!batch.extract(arguments, rest, error) || !options.parse(rest, error)) {
        err << "kurvo-render: " << error << '\n';
        return RenderSession::BadInput;
    }
    if (options.help) {
        // The help lists the sound library's formats with the others; a plot registers them
        // itself as it is made.
        DataFormats::registerReaders();
        out << RenderOptions::usage() << "\nMany inputs, each a plot of its own:\n" << BatchOptions::usage();
        return RenderSession::Success;
    }
    if (options.version) {
        out << "kurvo-render " KURVO_VERSION "\n";
        return RenderSession::Success;
    }
    if (batch.each) {
        // A second read of standard input would find it at its end.
        if (options.inputs.contains(QStringLiteral("-"))) {
            err << "kurvo-render: --each reads files, not standard input (-)\n";
            return RenderSession::BadInput;
        }
        return BatchRunner(batch, rest, out, err).run();
    }
    RenderSession session(options, out, err);
    RenderSession::Status status = session.run();
    if (status == RenderSession::Success && !batch.figures.isEmpty()
        && !BatchFigures::write(session.plotServer(), options, batch.figures, batch.picture, error)) {
        err << "kurvo-render: " << error << '\n';
        status = RenderSession::BadInput;
    }
    // Figures printed to a full disk are no success either.
    out.flush();
    if (status == RenderSession::Success && (out.status() != QTextStream::Ok || std::fflush(stdout) != 0)) {
        err << "kurvo-render: cannot write to standard output\n";
        return RenderSession::BadInput;
    }
    return status;
}
