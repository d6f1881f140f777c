#include "Worksheet.h"

#include "ByteWriter.h"
#include "CellBlock.h"
#include "CellTable.h"
#include "RowBlock.h"
#include "SubstreamRecords.h"
#include "WorksheetRecords.h"

#include <algorithm>

namespace Xls {

Worksheet::Worksheet(std::string name)
    : sheetName(std::move(name))
    , cells(std::make_unique<CellTable>())
{
}

Worksheet::~Worksheet() = default;

Cell* Worksheet::cell(int row, int column)
{
    if (row < 0 || row >= maxRows || column < 0 || column >= maxColumns)
        return nullptr;
    return &cells->cell(row, column);
}

const Cell* Worksheet::findCell(int row, int column) const
{
    if (row < 0 || row >= maxRows || column < 0 || column >= maxColumns)
        return nullptr;
    return cells->findCell(row, column);
}

void Worksheet::collectStrings(Workbook::SharedStringTable& sst) const
{
    cells->collectStrings(sst);
}

namespace {

using RowBlock = Worksheet::CellTable::RowBlock;

Worksheet::Dimensions dimensionsOf(const std::vector<RowBlock>& blocks)
{
    Worksheet::Dimensions dimensions;
    if (blocks.empty())
        return dimensions;
    dimensions.firstRow = blocks.front().rows().front().row;
    dimensions.lastRowPlusOne = blocks.back().rows().back().row + 1u;
    dimensions.firstColumn = Worksheet::maxColumns;
    for (const RowBlock& block : blocks)
        for (const RowBlock::Row& row : block.rows()) {
            dimensions.firstColumn = std::min(dimensions.firstColumn, row.firstColumn);
            dimensions.lastColumnPlusOne = std::max(dimensions.lastColumnPlusOne, row.lastColumnPlusOne);
        }
    return dimensions;
}

} // namespace

void Worksheet::writeSubstream(ByteWriter& out, const Workbook::SharedStringTable& sst, bool active) const
{
    const std::vector<RowBlock> blocks = cells->rowBlocks(sst);
    const BOF bof(BOF::worksheet);
    const Dimensions dimensions = dimensionsOf(blocks);
    Index index;
    index.firstRow = dimensions.firstRow;
    index.lastRowPlusOne = dimensions.lastRowPlusOne;
    index.dbCellPositions.resize(blocks.size());
    Window2 window;
    if (!active)
        window.options &= std::uint16_t(~Window2::selectedAndShown);

    // The INDEX before the rows holds the stream offset of every DBCELL after them.
    std::size_t at = out.size() + bof.recordSize() + index.recordSize() + dimensions.recordSize();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        index.dbCellPositions[i] = std::uint32_t(at + blocks[i].dbCellOffset());
        at += blocks[i].size();
    }

    bof.write(out);
    index.write(out);
    dimensions.write(out);
    for (const RowBlock& block : blocks)
        block.write(out);
    window.write(out);
    Eof().write(out);
}

} // namespace Xls
