#include "FileBytes.h"

#include <QFile>
#include <QFileInfo>

bool readFileBytes(const QString& path, std::string& bytes)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The size is only a first guess: files under /proc report 0, and a file may still grow.
    bytes.resize(std::size_t(qMax<qint64>(file.size(), 0)));
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + (1 << 16));
        const qint64 got = file.read(&bytes[filled], qint64(bytes.size() - filled));
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += std::size_t(got);
    }
    bytes.resize(filled);
    return true;
}

bool writeFileBytes(const QString& path, const char* data, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(data, size) == size && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}
