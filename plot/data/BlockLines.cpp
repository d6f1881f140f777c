#include "BlockLines.h"

#include "ReadProgress.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

BlockLines::BlockLines(QIODevice& device, std::size_t blockSize)
    : device(device)
    , buffer(std::max<std::size_t>(blockSize, 16), '\0')
{
}

bool BlockLines::atEnd()
{
    if (start == end && !endOfFile)
        fill();
    return start == end;
}

std::string_view BlockLines::next()
{
    for (;;) {
        const char* line = buffer.data() + start;
        const std::size_t left = end - start;
        if (const auto* newline = static_cast<const char*>(std::memchr(line, '\n', left))) {
            std::size_t length = std::size_t(newline - line);
            start += length + 1;
            if (length > 0 && line[length - 1] == '\r')
                --length;
            return withoutByteOrderMark(std::string_view(line, length));
        }
        if (endOfFile) {
            start = end;
            return withoutByteOrderMark(std::string_view(line, left));
        }
        fill();
    }
}

std::size_t BlockLines::bytesLeft() const
{
    const qint64 unread = device.isSequential() ? 0 : std::max<qint64>(0, device.size() - device.pos());
    return end - start + std::size_t(unread);
}

// Moves the line begun to the front, makes room when it fills the buffer, and reads on.
void BlockLines::fill()
{
    std::memmove(&buffer[0], buffer.data() + start, end - start);
    end -= start;
    start = 0;
    if (end == buffer.size())
        buffer.resize(2 * buffer.size());
    // A cancelled load ends here as if the file did; what was read of it is thrown away.
    if (ReadProgress::cancelRequested()) {
        endOfFile = true;
        return;
    }
    const qint64 got = device.read(&buffer[end], qint64(buffer.size() - end));
    if (got > 0) {
        end += std::size_t(got);
        if (!device.isSequential())
            ReadProgress::report(std::uint64_t(device.pos()), std::uint64_t(device.size()));
        return;
    }
    endOfFile = true;
    readError = got < 0;
}
