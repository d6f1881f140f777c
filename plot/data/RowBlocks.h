#pragma once

#include "BlockPlan.h"
#include "RowBlock.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class BlockSource;

// The rows of a table past its first lines, read on several threads: the text is cut into
// blocks at line ends, each block is read by a reader of the same rules as the table's, and
// what they read is appended in the order of the file as soon as the blocks before it are
// in. Counts, gaps and the place where the rows allowed run out come out as one reader
// reading the whole text gives them.
class RowBlocks
{
public:
    // Reads the rows of one block, no more than `allowance` of them. Runs on many threads at
    // once.
    using ReadBlock = std::function<RowBlock(std::string_view block, std::size_t allowance)>;

    // Reads no more than `allowance` rows of `text` from `from` on and appends them to
    // `columns`, which hold the rows read before, one column for each column a block reads;
    // `rowsGuess` is how many rows the columns may come to. Returns the counts of the rows
    // appended, without columns. A block the source cannot read has no rows. Rethrows what
    // a reader threw.
    static RowBlock read(const BlockSource& text, std::size_t from, const BlockPlan& plan, std::size_t allowance,
                         std::size_t rowsGuess, const ReadBlock& readBlock, std::vector<ImportedData::Column>& columns);

    // The lines of the first `size` bytes of `text`, counted from `from` on, that begin in
    // [begin, end): whole lines, the last one running past `end` to its line end. Held in
    // `buffer` where they need a place; empty where no line begins there or the text cannot
    // be read.
    static std::string_view linesBeginningIn(const BlockSource& text, std::size_t size, std::size_t from,
                                             std::size_t begin, std::size_t end, std::string& buffer);
};
