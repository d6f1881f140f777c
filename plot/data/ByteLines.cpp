#include "ByteLines.h"

#include <cstring>

ByteLines::ByteLines(std::string_view bytes)
    : bytes(bytes)
{
}

std::string_view ByteLines::next()
{
    if (atEnd()) {
        lastLength = 0;
        return {};
    }
    const char* start = bytes.data() + position;
    const std::size_t left = bytes.size() - position;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', left));
    std::size_t length = newline ? std::size_t(newline - start) : left;
    position += newline ? length + 1 : length;
    if (newline && length > 0 && start[length - 1] == '\r')
        --length;
    lastLength = length + (newline ? 1 : 0);
    return withoutByteOrderMark(std::string_view(start, length));
}
