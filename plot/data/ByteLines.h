#pragma once

#include "LineSource.h"

#include <cstddef>
#include <string_view>

// The lines of a file's bytes held in memory. Lines have no length limit.
class ByteLines : public LineSource
{
public:
    explicit ByteLines(std::string_view bytes);

    bool atEnd() override { return position >= bytes.size(); }
    std::string_view next() override;
    std::size_t bytesLeft() const override { return bytes.size() - position; }
    // Length of the last line with its ending counted as one byte, as a text-mode read gives it.
    std::size_t lastReadLength() const { return lastLength; }

private:
    std::string_view bytes;
    std::size_t position = 0;
    std::size_t lastLength = 0;
};
