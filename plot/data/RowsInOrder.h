#pragma once

#include "RowBlock.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

// The columns the rows of a table's blocks are appended to, in the order of the file: each
// block as soon as those before it are in, whichever thread read it first. The columns are made at the size the rows are guessed to reach and not zeroed first;
// they grow where the guess was low.
class RowsInOrder
{
public:
    // Reads a block again with fewer rows allowed.
    using ReadAgain = std::function<RowBlock(std::size_t block, std::size_t allowance)>;

    RowsInOrder(std::vector<ImportedData::Column>& before, std::size_t rowsGuess, std::size_t allowance,
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
