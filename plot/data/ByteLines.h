#pragma once

#include <cstddef>
#include <string_view>

// Walks the lines of a file's bytes as a text-mode read would: a line ends at '\n', a "\r\n"
// ending counts as '\n', and neither belongs to the line. Lines have no length limit.
class ByteLines
{
public:
    explicit ByteLines(std::string_view bytes);

    bool atEnd() const { return position >= bytes.size(); }
    // The next line; an empty view at the end.
    std::string_view next();
    // Length of the last line with its ending counted as one byte, as a text-mode read gives it.
    std::size_t lastReadLength() const { return lastLength; }

private:
    std::string_view bytes;
    std::size_t position = 0;
    std::size_t lastLength = 0;
};
