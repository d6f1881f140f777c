#include "CellTable.h"

#include "CellBlock.h"
#include "SharedStringTable.h"

namespace Xls {

using CellTable = Worksheet::CellTable;

CellTable::CellTable() = default;
CellTable::~CellTable() = default;

Cell& CellTable::cell(int row, int column)
{
    const std::uint32_t at = key(row, column);
    // One search finds the cell or the place for it; the insertion reuses it.
    auto found = cells.lower_bound(at);
    if (found == cells.end() || found->first != at)
        found = cells.emplace_hint(found, at, Cell());
    return found->second;
}

const Cell* CellTable::findCell(int row, int column) const
{
    const auto found = cells.find(key(row, column));
    return found == cells.end() ? nullptr : &found->second;
}

void CellTable::collectStrings(Workbook::SharedStringTable& sst) const
{
    for (const auto& entry : cells)
        if (entry.second.type() == Cell::Text)
            sst.add(entry.second.text());
}

std::vector<CellTable::RowBlock> CellTable::rowBlocks(const Workbook::SharedStringTable& sst) const
{
    std::vector<RowBlock> blocks;
    int firstRow = 0;
    int blockRange = -1;
    for (auto rowStart = cells.begin(); rowStart != cells.end();) {
        const int row = rowOf(rowStart->first);
        auto rowEnd = rowStart;
        while (rowEnd != cells.end() && rowOf(rowEnd->first) == row)
            ++rowEnd;
        RowBlock::CellBlock rowCells(rowStart, rowEnd, sst);
        rowStart = rowEnd;
        if (rowCells.empty())
            continue;
        if (blocks.empty())
            firstRow = row;
        const int range = (row - firstRow) / int(RowBlock::maxRows);
        if (range != blockRange) {
            blocks.emplace_back();
            blockRange = range;
        }
        blocks.back().addRow(std::move(rowCells));
    }
    return blocks;
}

} // namespace Xls
