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
    // The guess is filled first and the rest read into a probe, so that a file of the size
    // its entry says is held once, not in a string grown past it.
    bytes.resize(std::size_t(qMax<qint64>(file.size(), 0)));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const qint64 got = file.read(&bytes[filled], qint64(bytes.size() - filled));
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += std::size_t(got);
    }
    bytes.resize(filled);
    char probe[1 << 16];
    for (;;) {
        const qint64 got = file.read(probe, sizeof probe);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(probe, std::size_t(got));
    }
}

bool writeFileBytes(const QString& path, const char* data, qint64 size, QString* reason)
{
    QFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                   && file.write(data, size) == size && file.flush();
    // A close that succeeds forgets an earlier error, so its reason is taken before.
    QString why = file.errorString();
    if (written) {
        file.close();
        written = file.error() == QFileDevice::NoError;
        why = file.errorString();
    }
    if (!written && reason)
        *reason = why;
    return written;
}
