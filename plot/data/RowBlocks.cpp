#include "RowBlocks.h"

#include "BlockSource.h"
#include "FreshColumn.h"
#include "ParallelTasks.h"
#include "PointLimit.h"
#include "ReadProgress.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <new>

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

// The columns the blocks' rows are appended to, each block as soon as those before it are
// in. The columns are made at the size the rows are guessed to reach and not zeroed first;
// they grow where the guess was low.
class InOrder
{
public:
    // Reads a block again with fewer rows allowed.
    using ReadAgain = std::function<RowBlock(std::size_t block, std::size_t allowance)>;

    InOrder(std::vector<ImportedData::Column>& before, std::size_t rowsGuess, std::size_t allowance,
            ReadAgain readAgain);

    // Whether no more blocks are wanted.
    bool done() const { return finished.load(); }
    void stop() { finished = true; }
    void add(std::size_t block, RowBlock rows);
    // Hands over the columns at their length; returns the counts of the rows appended.
    RowBlock finish(std::vector<ImportedData::Column>& columns);

private:
    void take(std::size_t block, RowBlock& rows);
    void makeRoom(std::size_t rows);

    std::mutex mutex;
    std::map<std::size_t, RowBlock> waiting;
    std::size_t next = 0;
    std::vector<ImportedData::Column> columns;
    std::size_t filled = 0;
    std::size_t capacity = 0;
    const std::size_t allowance;
    RowBlock counts;
    ReadAgain readAgain;
    std::atomic<bool> finished{false};
};

InOrder::InOrder(std::vector<ImportedData::Column>& before, std::size_t rowsGuess, std::size_t allowance,
                 ReadAgain readAgain)
    : allowance(allowance)
    , readAgain(std::move(readAgain))
{
    filled = before.empty() ? 0 : std::size_t(before.front().size());
    capacity = std::clamp(rowsGuess, filled, kMaxCurvePoints);
    // The guess is no promise: where memory cannot hold it, the columns start at the rows
    // read and grow as the rows come.
    try {
        for (std::size_t j = 0; j < before.size(); ++j)
            columns.push_back(freshColumn(int(capacity)));
    } catch (const std::bad_alloc&) {
        columns.clear();
        capacity = filled;
        for (std::size_t j = 0; j < before.size(); ++j)
            columns.push_back(freshColumn(int(capacity)));
    }
    for (std::size_t j = 0; j < before.size(); ++j)
        std::copy(before[j].cbegin(), before[j].cend(), columns[j].data());
}

void InOrder::add(std::size_t block, RowBlock rows)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (done())
        return;
    waiting.emplace(block, std::move(rows));
    for (auto in = waiting.find(next); in != waiting.end() && !done(); in = waiting.find(next)) {
        take(next++, in->second);
        waiting.erase(in);
    }
}

// Each block was read as if it were the first, so the one in which the allowance runs out is
// read again with what is left of it: that stops where a single reader stops, with its
// counts up to there, and no block after it is wanted.
void InOrder::take(std::size_t block, RowBlock& rows)
{
    const std::size_t left = allowance - counts.rows;
    if (rows.cut || rows.rows > left)
        rows = readAgain(block, left);
    makeRoom(filled + rows.rows);
    for (std::size_t j = 0; j < rows.columns.size() && j < columns.size(); ++j)
        std::copy(rows.columns[j].cbegin(), rows.columns[j].cend(), columns[j].data() + filled);
    filled += rows.rows;
    counts.rows += rows.rows;
    counts.gaps += rows.gaps;
    counts.textRows += rows.textRows;
    if (rows.cut) {
        counts.cut = true;
        stop();
    }
}

void InOrder::makeRoom(std::size_t rows)
{
    if (rows <= capacity)
        return;
    capacity = std::min(kMaxCurvePoints, std::max(rows, 2 * capacity));
    for (ImportedData::Column& column : columns) {
        ImportedData::Column larger = freshColumn(int(capacity));
        std::copy(column.cbegin(), column.cbegin() + int(filled), larger.data());
        column = std::move(larger);
    }
}

RowBlock InOrder::finish(std::vector<ImportedData::Column>& out)
{
    for (ImportedData::Column& column : columns)
        column.resize(int(filled));
    if (!columns.empty())
        out = std::move(columns);
    return counts;
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
    InOrder inOrder(columns, rowsGuess, allowance, [&](std::size_t block, std::size_t rowsAllowed) {
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
