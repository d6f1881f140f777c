#pragma once

#include "AvailableMemory.h"

#include <QByteArray>

// The memory the kernel reports available (MemAvailable of /proc/meminfo): free memory and the
// caches it can drop, without swapping, which is what a process can take before the system
// starts to end processes. Where the kernel says nothing, nothing is refused.
class SystemMemory : public AvailableMemory
{
public:
    quint64 bytes() const override;

    // The MemAvailable line of a meminfo text, in bytes; the largest quint64 without one.
    static quint64 memAvailable(const QByteArray& meminfo);
};
