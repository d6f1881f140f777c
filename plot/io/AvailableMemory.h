#pragma once

#include <QtGlobal>

// How much memory the system can still give the program, asked before a reader takes what a
// file needs: a file that needs more is refused with a message rather than read until the
// system ends the program. Tests put a size of their own in its place.
class AvailableMemory
{
public:
    virtual ~AvailableMemory() = default;

    // Bytes that can be had without swapping; the largest quint64 when the system does not say.
    virtual quint64 bytes() const = 0;
};
