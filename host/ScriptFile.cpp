#include "ScriptFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ScriptFile {

QString autosavePath()
{
    return QStringLiteral("./script/_latestScribo.ms");
}

QString load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool save(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QByteArray bytes = text.toLocal8Bit();
    return file.write(bytes) == bytes.size();
}

bool autosave(const QString& text)
{
    const QString path = autosavePath();
    if (!text.isEmpty())
        QDir().mkpath(QFileInfo(path).path());
    return save(path, text);
}

} // namespace ScriptFile
