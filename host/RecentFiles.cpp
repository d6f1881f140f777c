#include "RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char* const kKey = "recentFiles";
// The program's own settings file, whatever the application object is called.
const char* const kOrganization = "kurvo";
const char* const kProgram = "Kurvo";

} // namespace

QStringList RecentFiles::list()
{
    const QSettings settings{QLatin1String(kOrganization), QLatin1String(kProgram)};
    return settings.value(QLatin1String(kKey)).toStringList().mid(0, kKept);
}

void RecentFiles::add(const QString& path)
{
    QSettings settings{QLatin1String(kOrganization), QLatin1String(kProgram)};
    const QStringList kept = settings.value(QLatin1String(kKey)).toStringList();
    settings.setValue(QLatin1String(kKey), with(kept, QFileInfo(path).absoluteFilePath()));
}

QStringList RecentFiles::with(QStringList list, const QString& path)
{
    list.removeAll(path);
    list.prepend(path);
    return list.mid(0, kKept);
}
