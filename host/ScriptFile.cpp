#include "ScriptFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <new>

namespace ScriptFile {

namespace {

const char kNoMemory[] = "Not enough memory to hold the script";

bool readText(QFile& file, QString& text, QString& error)
{
    const QByteArray bytes = file.readAll();
    // readAll() gives what it got before a failure; only the error tells them apart.
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    // With its size: the conversion of the array alone would stop at the first NUL byte,
    // and a file that is not text would pass for a shorter one that is.
    text = QString::fromUtf8(bytes.constData(), bytes.size());
    return true;
}

// The bytes reach the disk only when the file closes, so a full disk shows there.
bool writeBytes(QFile& file, const QByteArray& bytes, QString& error)
{
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QString autosavePath()
{
    return QStringLiteral("./script/_latestScribo.ms");
}

bool load(const QString& path, QString& text, QString& error)
{
    // Opening a folder fails without a reason of its own.
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("This is a folder, not a script");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = file.errorString();
        return false;
    }
    try {
        return readText(file, text, error);
    } catch (const std::bad_alloc&) {
        error = QLatin1String(kNoMemory);
        return false;
    }
}

// The text is converted before the file is opened, so that a text too large to convert
// leaves the file as it was.
bool save(const QString& path, const QString& text, QString& error)
{
    QByteArray bytes;
    try {
        bytes = text.toLocal8Bit();
    } catch (const std::bad_alloc&) {
        error = QLatin1String(kNoMemory);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        error = file.errorString();
        return false;
    }
    return writeBytes(file, bytes, error);
}

// An empty editor without a script folder has nothing to keep: that is no failure.
bool autosave(const QString& text, QString& error)
{
    const QString path = autosavePath();
    const QString folder = QFileInfo(path).path();
    if (text.isEmpty() && !QFileInfo(folder).isDir())
        return true;
    QDir().mkpath(folder);
    return save(path, text, error);
}

} // namespace ScriptFile
