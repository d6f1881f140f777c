#include "FileNameCodec.h"
#include "Kurvo.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Names from the command line and the file dialogs are the file system's bytes, kept as given.
    FileNameCodec::install();
    // The desktop matches the window to its menu entry, and so to the program icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kurvo.Kurvo"));
    Kurvo window;
    window.show();
    openFiles(window, commandLineFiles(argc, argv));
    // Leaving main destroys the window before the application; that writes the autosave file.
    return app.exec();
}
