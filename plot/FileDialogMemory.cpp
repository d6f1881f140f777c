#include "FileDialogMemory.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QSettings settings()
{
    return QSettings(QStringLiteral("kurvo"), QStringLiteral("Kurvo"));
}

// Captions may hold "/" and spaces, which QSettings reads as groups.
QString key(const QString& caption, const char* what)
{
    return QStringLiteral("fileDialogs/%1/%2")
        .arg(QString::fromLatin1(caption.toUtf8().toHex()), QLatin1String(what));
}

} // namespace

QString FileDialogMemory::folder(const QString& caption, const QString& fallback)
{
    const QString folder = settings().value(key(caption, "folder")).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : fallback;
}

QString FileDialogMemory::filter(const QString& caption, const QStringList& filters, const QString& fallback)
{
    const QString filter = settings().value(key(caption, "filter")).toString();
    return filters.contains(filter) ? filter : fallback;
}

void FileDialogMemory::remember(const QString& caption, const QString& file, const QString& filter)
{
    if (file.isEmpty())
        return;
    QSettings kept = settings();
    kept.setValue(key(caption, "folder"), QFileInfo(file).absolutePath());
    if (!filter.isEmpty())
        kept.setValue(key(caption, "filter"), filter);
}
