#pragma once

#include "LineSource.h"

#include <string>

class QIODevice;

// The lines of a file read a block at a time, so that a large table never lies in memory
// whole beside the columns read from it. A line longer than a block grows the buffer to hold
// it; lines have no length limit.
class BlockLines : public LineSource
{
public:
    explicit BlockLines(QIODevice& device, std::size_t blockSize = std::size_t(1) << 20);

    bool atEnd() override;
    std::string_view next() override;
    std::size_t bytesLeft() const override;
    // Whether the reading stopped at an error rather than at the end of the file.
    bool failed() const { return readError; }

private:
    void fill();

    QIODevice& device;
    std::string buffer;
    // The bytes read and not yet handed out.
    std::size_t start = 0;
    std::size_t end = 0;
    bool endOfFile = false;
    bool readError = false;
};
