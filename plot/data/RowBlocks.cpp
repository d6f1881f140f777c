#include "RowBlocks.h"

#include "BlockSource.h"
#include "ParallelTasks.h"
#include "ReadProgress.h"
#include "RowsInOrder.h"

#include <algorithm>
#include <atomic>

namespace {

// Blocks of about a MiB, with the columns read from them, stay in a core's own cache while it
// reads them, and let the threads share the work evenly to the end.
const std::size_t kLargestBlock = std::size_t(1) << 20;
const std::size_t kSmallestBlock = std::size_t(64) << 10;
const unsigned kBlocksPerThread = 8;
// How far past its end a block is read to find the end of its last line; longer lines take
// more rounds.
const std::size_t kLineEndWindow = std::size_t(16) << 10;

std::size_t blockSize(const BlockPlan& plan, std::size_t bytes)
{
    if (plan.blockBytes > 0)
        return plan.blockBytes;
    return std::clamp<std::size_t>(bytes / (std::size_t(plan.threads) * kBlocksPerThread), kSmallestBlock,
                                   kLargestBlock);
}

} // namespace

// Block k holds the lines that begin in [from + k * size, from + (k + 1) * size). A thread
// finds its block's lines by itself, reading into a buffer of its own, so no block is read
// twice but for the few bytes around its ends. The text's size is taken once, here: a file
// that grows meanwhile is read as far as it was.
RowBlock RowBlocks::read(const BlockSource& text, std::size_t from, const BlockPlan& plan, std::size_t allowance,
                         std::size_t rowsGuess, const ReadBlock& readBlock, std::vector<ImportedData::Column>& columns)
{
    const std::size_t end = std::max(text.size(), from);
    const std::size_t size = blockSize(plan, end - from);
    const std::size_t blocks = (end - from + size - 1) / size;
    const auto begin = [&](std::size_t block) { return from + block * size; };
    const auto blockEnd = [&](std::size_t block) { return std::min(end, begin(block) + size); };
    const auto readLines = [&](std::size_t block, std::size_t rowsAllowed, std::string& buffer) {
        const std::string_view lines = linesBeginningIn(text, end, from, begin(block), blockEnd(block), buffer);
        return lines.empty() ? RowBlock() : readBlock(lines, rowsAllowed);
    };
    RowsInOrder inOrder(columns, rowsGuess, allowance, [&](std::size_t block, std::size_t rowsAllowed) {
        std::string buffer;
        return readLines(block, rowsAllowed, buffer);
    });
    std::vector<std::string> buffers(std::max(plan.threads, 1u));
    std::atomic<std::uint64_t> bytesRead{0};
    runInParallel(blocks, plan.threads, [&](std::size_t block, unsigned thread) {
        if (inOrder.done() || ReadProgress::cancelRequested())
            return;
        try {
            inOrder.add(block, readLines(block, allowance, buffers[thread]));
        } catch (...) {
            inOrder.stop();
            throw;
        }
        ReadProgress::report(bytesRead += blockEnd(block) - begin(block), end - from);
    });
    return inOrder.finish(columns);
}

std::string_view RowBlocks::linesBeginningIn(const BlockSource& text, std::size_t size, std::size_t from,
                                             std::size_t begin, std::size_t end, std::string& buffer)
{
    // The line end just before `begin` tells whether a line begins there.
    const std::size_t low = begin == from ? from : begin - 1;
    for (std::size_t window = kLineEndWindow;; window *= 2) {
        const std::size_t high = end >= size ? size : std::min(size, end + window);
        std::string_view bytes;
        if (low >= high || !text.read(low, high - low, buffer, bytes))
            return {};
        std::size_t first = 0;
        if (begin != from) {
            first = bytes.find('\n');
            if (first == std::string_view::npos || low + first + 1 >= end)
                return {};
            ++first;
        }
        const std::size_t last = end < size ? bytes.find('\n', end - 1 - low) : std::string_view::npos;
        if (last != std::string_view::npos)
            return bytes.substr(first, last + 1 - first);
        if (high == size)
            return bytes.substr(first);
    }
}
