#include "TextProbe.h"

namespace {

// TAB, LF, VT, FF and CR lay out text; 0x1A ends old DOS files and ESC starts terminal colours
// in logs, so both turn up in tables too.
bool isTextControl(unsigned char byte)
{
    return (byte >= '\t' && byte <= '\r') || byte == 0x1A || byte == 0x1B;
}

bool isForeignControl(unsigned char byte)
{
    return (byte < 0x20 && !isTextControl(byte)) || byte == 0x7F;
}

} // namespace

bool TextProbe::canBeText(const char* bytes, qint64 size)
{
    qint64 controls = 0;
    for (qint64 i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0)
            return false;
        if (isForeignControl(byte))
            ++controls;
    }
    return controls * 32 <= size;
}
