#include "SystemMemory.h"

#include <QFile>
#include <QList>

#include <limits>

namespace {

constexpr quint64 kUnknown = std::numeric_limits<quint64>::max();

} // namespace

quint64 SystemMemory::bytes() const
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return kUnknown;
    return memAvailable(meminfo.readAll());
}

quint64 SystemMemory::memAvailable(const QByteArray& meminfo)
{
    for (const QByteArray& line : meminfo.split('\n')) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        const QList<QByteArray> words = line.simplified().split(' ');
        bool ok = false;
        const quint64 kibibytes = words.value(1).toULongLong(&ok);
        if (ok && words.value(2) == "kB" && kibibytes <= kUnknown / 1024)
            return kibibytes * 1024;
    }
    return kUnknown;
}
