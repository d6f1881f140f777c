#include "ByteLines.h"

#include <cstring>

namespace {

// Decoding a line to text drops a leading byte-order mark, so the readers never see one.
std::string_view withoutByteOrderMark(std::string_view line)
{
    if (line.size() >= 3 && line[0] == '\xEF' && line[1] == '\xBB' && line[2] == '\xBF')
        line.remove_prefix(3);
    return line;
}

} // namespace

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
