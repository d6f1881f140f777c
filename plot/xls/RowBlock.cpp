#include "RowBlock.h"

#include "ByteReader.h"
#include "ByteWriter.h"
#include "CellBlock.h"

namespace Xls {

using RowBlock = Worksheet::CellTable::RowBlock;

RowBlock::RowBlock() = default;
RowBlock::~RowBlock() = default;
RowBlock::RowBlock(RowBlock&&) noexcept = default;
RowBlock& RowBlock::operator=(RowBlock&&) noexcept = default;

void RowBlock::addRow(CellBlock cells)
{
    rowRecords.emplace_back(cells.row(), cells.firstColumn(), cells.lastColumnPlusOne());
    cellBytes += cells.size();
    rowCells.push_back(std::move(cells));
}

std::size_t RowBlock::dbCellOffset() const
{
    return rowRecords.size() * Row().recordSize() + cellBytes;
}

std::size_t RowBlock::size() const
{
    return dbCellOffset() + Record::headerSize + 4 + 2 * rowRecords.size();
}

RowBlock::DBCell RowBlock::dbCell() const
{
    DBCell cell;
    cell.firstRowOffset = std::uint32_t(dbCellOffset());
    if (rowRecords.empty())
        return cell;
    // The first row's cells follow the other ROW records; each further row's cells follow
    // those of the row before.
    cell.cellOffsets.push_back(std::uint16_t((rowRecords.size() - 1) * Row().recordSize()));
    for (std::size_t i = 1; i < rowCells.size(); ++i)
        cell.cellOffsets.push_back(std::uint16_t(rowCells[i - 1].size()));
    return cell;
}

std::size_t RowBlock::write(ByteWriter& out) const
{
    std::size_t written = 0;
    for (const Row& row : rowRecords)
        written += row.write(out);
    for (const CellBlock& cells : rowCells)
        written += cells.write(out);
    return written + dbCell().write(out);
}

RowBlock::Row::Row()
    : Record(recordCode)
{
}

RowBlock::Row::Row(std::uint16_t row, std::uint16_t firstColumn, std::uint16_t lastColumnPlusOne)
    : Record(recordCode)
    , row(row)
    , firstColumn(firstColumn)
    , lastColumnPlusOne(lastColumnPlusOne)
{
}

bool RowBlock::Row::readFields(ByteReader& in)
{
    row = in.get16();
    firstColumn = in.get16();
    lastColumnPlusOne = in.get16();
    height = in.get16();
    reserved = in.get16();
    unused = in.get16();
    options = in.get16();
    xfIndex = in.get16();
    return in.ok();
}

void RowBlock::Row::writeFields(ByteWriter& out) const
{
    out.put16(row);
    out.put16(firstColumn);
    out.put16(lastColumnPlusOne);
    out.put16(height);
    out.put16(reserved);
    out.put16(unused);
    out.put16(options);
    out.put16(xfIndex);
}

RowBlock::DBCell::DBCell()
    : Record(recordCode)
{
}

bool RowBlock::DBCell::readFields(ByteReader& in)
{
    firstRowOffset = in.get32();
    if (in.remaining() % 2 != 0)
        return false;
    cellOffsets.assign(in.remaining() / 2, 0);
    for (std::uint16_t& offset : cellOffsets)
        offset = in.get16();
    return in.ok();
}

void RowBlock::DBCell::writeFields(ByteWriter& out) const
{
    out.put32(firstRowOffset);
    for (std::uint16_t offset : cellOffsets)
        out.put16(offset);
}

} // namespace Xls
