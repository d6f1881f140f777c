#include "Startup.h"

#include "Kurvo.h"
#include "vxKurvo.h"

#include <QFile>
#include <QFileInfo>

QStringList commandLineFiles(int argc, char** argv)
{
    QStringList paths;
    for (int i = 1; i < argc; ++i)
        paths << QFile::decodeName(argv[i]);
    return paths;
}

void loadRawData(vxKurvo& plot, const QString& path)
{
    plot.loadRawData(path);
}

void openFiles(Kurvo& window, const QStringList& paths, const DataFileLoader& load)
{
    for (const QString& path : paths) {
        const QString suffix = QFileInfo(path).suffix();
        if (suffix.compare(QLatin1String("kurvo"), Qt::CaseInsensitive) == 0)
            window.openProject(path);
        else if (suffix.compare(QLatin1String("ms"), Qt::CaseInsensitive) == 0)
            window.openScript(path);
        else
            load(*window.plotWidget(), path);
    }
}
