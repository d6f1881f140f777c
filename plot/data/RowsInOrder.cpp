#include "RowsInOrder.h"

#include "FreshColumn.h"
#include "PointLimit.h"

#include <algorithm>
#include <new>

RowsInOrder::RowsInOrder(std::vector<ImportedData::Column>& before, std::size_t rowsGuess,
                         std::size_t allowance, ReadAgain readAgain)
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

void RowsInOrder::add(std::size_t block, RowBlock rows)
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
void RowsInOrder::take(std::size_t block, RowBlock& rows)
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

void RowsInOrder::makeRoom(std::size_t rows)
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

RowBlock RowsInOrder::finish(std::vector<ImportedData::Column>& out)
{
    for (ImportedData::Column& column : columns)
        column.resize(int(filled));
    if (!columns.empty())
        out = std::move(columns);
    return counts;
}
