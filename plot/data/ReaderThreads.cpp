#include "ReaderThreads.h"

#include <QtGlobal>

#include <algorithm>
#include <thread>

unsigned readerThreads()
{
    return readerThreads(qgetenv("KURVO_THREADS"));
}

// A setting that is no positive integer is a mistake, not a wish for no threads: the
// machine's count stands, as if nothing were set.
unsigned readerThreads(const QByteArray& setting)
{
    bool ok = false;
    const unsigned chosen = setting.trimmed().toUInt(&ok);
    if (ok && chosen > 0)
        return chosen;
    return std::max(1u, std::thread::hardware_concurrency());
}
