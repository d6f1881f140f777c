#include "Startup.h"

#include "Kurvo.h"
#include "vxKurvo.h"

QStringList commandLineDataFiles(int argc, char** argv)
{
    QStringList paths;
    for (int i = 1; i < argc; ++i)
        paths << QString::fromUtf8(argv[i]);
    return paths;
}

void loadRawData(vxKurvo& plot, const QString& path)
{
    plot.loadRawData(path);
}

void loadDataFiles(Kurvo& window, const QStringList& paths, const DataFileLoader& load)
{
    for (const QString& path : paths)
        load(*window.plotWidget(), path);
}
