#include "KurvoVersion.h"
#include "RenderOptions.h"
#include "RenderSession.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Needs no display: without one it draws offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    RenderOptions options;
    QString error;
    if (!options.parse(QCoreApplication::arguments().mid(1), error)) {
        err << "kurvo-render: " << error << '\n';
        return RenderSession::BadInput;
    }
    if (options.help) {
        out << RenderOptions::usage();
        return RenderSession::Success;
    }
    if (options.version) {
        out << "kurvo-render " KURVO_VERSION "\n";
        return RenderSession::Success;
    }
    RenderSession session(options, out, err);
    return session.run();
}
