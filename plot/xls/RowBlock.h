#pragma once

#include "CellTable.h"
#include "Record.h"

#include <vector>

namespace Xls {

// Up to 32 rows of a sheet as they are written: their ROW records, then the cell records of
// each row in turn, then a DBCELL that gives the way back from the DBCELL to the first ROW
// and from row to row.
class Worksheet::CellTable::RowBlock
{
public:
    class Row;
    // The cell records of one row.
    class CellBlock;
    class DBCell;

    static constexpr std::size_t maxRows = 32;

    RowBlock();
    ~RowBlock();
    RowBlock(RowBlock&&) noexcept;
    RowBlock& operator=(RowBlock&&) noexcept;

    // Adds the next row below those added before; `cells` must not be empty.
    void addRow(CellBlock cells);

    const std::vector<Row>& rows() const { return rowRecords; }
    const std::vector<CellBlock>& cellBlocks() const { return rowCells; }
    // Bytes from the block's first ROW record to its DBCELL.
    std::size_t dbCellOffset() const;
    // Bytes of the whole block, DBCELL included.
    std::size_t size() const;
    DBCell dbCell() const;
    std::size_t write(ByteWriter& out) const;

private:
    std::vector<Row> rowRecords;
    std::vector<CellBlock> rowCells;
    std::size_t cellBytes = 0;
};

// ROW: one row's column range, height and format.
class Worksheet::CellTable::RowBlock::Row : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0208;

    Row();
    Row(std::uint16_t row, std::uint16_t firstColumn, std::uint16_t lastColumnPlusOne);

    std::size_t dataSize() const override { return 16; }

    std::uint16_t row = 0;
    std::uint16_t firstColumn = 0;
    std::uint16_t lastColumnPlusOne = 0;
    std::uint16_t height = 0x00FF; // twips, the default 12.75 points
    std::uint16_t reserved = 0;
    std::uint16_t unused = 0;
    std::uint16_t options = 0x0100; // no outline, not hidden; the byte that must be 1
    std::uint16_t xfIndex = 0x000F;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// DBCELL: offsets back from the DBCELL to its block's first ROW record, and for each row the
// offset from the previous row's first cell record (for the first row: from the end of the
// first ROW record) to this row's first cell record.
class Worksheet::CellTable::RowBlock::DBCell : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x00D7;

    DBCell();

    std::size_t dataSize() const override { return 4 + 2 * cellOffsets.size(); }

    std::uint32_t firstRowOffset = 0;
    std::vector<std::uint16_t> cellOffsets;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

} // namespace Xls
