#include "Kurvo.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Kurvo window;
    window.show();
    openFiles(window, commandLineFiles(argc, argv));
    // Leaving main destroys the window before the application; that writes the autosave file.
    return app.exec();
}
