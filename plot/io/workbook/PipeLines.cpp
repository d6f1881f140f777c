#include "PipeLines.h"

#include "BlockQueue.h"

PipeLines::PipeLines(BlockQueue& blocks, std::size_t expected)
    : blocks(blocks)
    , left(expected)
{
}

// Waits for the next block once this one is read.
bool PipeLines::fill()
{
    while (!ended && at >= block.size()) {
        ended = !blocks.pop(block);
        at = 0;
        left = left > block.size() ? left - block.size() : 0;
    }
    return !ended;
}

bool PipeLines::atEnd()
{
    return !fill();
}

std::string_view PipeLines::next()
{
    if (!fill())
        return std::string_view();
    const std::size_t end = block.find('\n', at);
    const std::size_t stop = end == std::string::npos ? block.size() : end;
    const std::string_view line(block.data() + at, stop - at);
    at = stop + 1;
    return line;
}
