#pragma once

#include "Cell.h"
#include "Worksheet.h"

#include <cstdint>
#include <map>
#include <vector>

namespace Xls {

// The cells of a sheet, addressed by row and column, and their conversion into row blocks
// of records when the sheet is saved. Only cells that were addressed are kept.
class Worksheet::CellTable
{
public:
    class RowBlock;

    // Keyed by row × 256 + column, so the map runs row by row and, within a row, column by
    // column: the order in which the cell records are written. Nodes never move, so a cell's
    // address stays valid while others are added.
    using Cells = std::map<std::uint32_t, Cell>;

    static std::uint32_t key(int row, int column) { return std::uint32_t(row) * maxColumns + std::uint32_t(column); }
    static int rowOf(std::uint32_t key) { return int(key / maxColumns); }
    static int columnOf(std::uint32_t key) { return int(key % maxColumns); }

    CellTable();
    ~CellTable();

    // Row and column must lie inside the sheet.
    Cell& cell(int row, int column);
    const Cell* findCell(int row, int column) const;

    void collectStrings(Workbook::SharedStringTable& sst) const;
    // The records of the rows that hold a non-empty cell, in blocks: the rows in use are
    // counted in ranges of 32 from the first of them, and every range that holds a row in
    // use becomes one block.
    std::vector<RowBlock> rowBlocks(const Workbook::SharedStringTable& sst) const;

private:
    Cells cells;
};

} // namespace Xls
