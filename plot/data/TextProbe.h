#pragma once

#include <QtGlobal>

// Tells from the first bytes of a file whether it can be a text table at all, so that a binary
// file is refused at once instead of being split into lines of noise.
class TextProbe
{
public:
    // How many of a file's first bytes are enough to tell.
    static constexpr qint64 sampleSize = 64 * 1024;

    // False when `bytes` hold a NUL, or when more than one in 32 of them are control
    // characters that text does not carry. Bytes from 0x80 on are text (UTF-8 or Latin-1);
    // no bytes at all can be text.
    static bool canBeText(const char* bytes, qint64 size);
};
