#include "CellRecords.h"

#include "ByteReader.h"
#include "ByteWriter.h"

namespace Xls {

namespace {

using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;

void readHead(ByteReader& in, std::uint16_t& row, std::uint16_t& column, std::uint16_t& xfIndex)
{
    row = in.get16();
    column = in.get16();
    xfIndex = in.get16();
}

void writeHead(ByteWriter& out, std::uint16_t row, std::uint16_t column, std::uint16_t xfIndex)
{
    out.put16(row);
    out.put16(column);
    out.put16(xfIndex);
}

// The number of columns a MULRK or MULBLANK covers, from the bytes its entries take: the
// last column, written after them, must agree, and a run is at least two columns long.
bool runLength(ByteReader& in, std::size_t entrySize, std::size_t& count)
{
    if (in.remaining() < 2 || (in.remaining() - 2) % entrySize != 0)
        return false;
    count = (in.remaining() - 2) / entrySize;
    return count >= 2;
}

} // namespace

CellBlock::Blank::Blank()
    : Record(recordCode)
{
}

bool CellBlock::Blank::readFields(ByteReader& in)
{
    readHead(in, row, column, xfIndex);
    return in.ok();
}

void CellBlock::Blank::writeFields(ByteWriter& out) const
{
    writeHead(out, row, column, xfIndex);
}

CellBlock::BoolErr::BoolErr()
    : Record(recordCode)
{
}

bool CellBlock::BoolErr::readFields(ByteReader& in)
{
    readHead(in, row, column, xfIndex);
    value = in.get8();
    isError = in.get8();
    return in.ok();
}

void CellBlock::BoolErr::writeFields(ByteWriter& out) const
{
    writeHead(out, row, column, xfIndex);
    out.put8(value);
    out.put8(isError);
}

CellBlock::LabelSST::LabelSST()
    : Record(recordCode)
{
}

bool CellBlock::LabelSST::readFields(ByteReader& in)
{
    readHead(in, row, column, xfIndex);
    sstIndex = in.get32();
    return in.ok();
}

void CellBlock::LabelSST::writeFields(ByteWriter& out) const
{
    writeHead(out, row, column, xfIndex);
    out.put32(sstIndex);
}

CellBlock::MulBlank::MulBlank()
    : Record(recordCode)
{
}

bool CellBlock::MulBlank::readFields(ByteReader& in)
{
    row = in.get16();
    firstColumn = in.get16();
    std::size_t count = 0;
    if (!in.ok() || !runLength(in, 2, count))
        return false;
    xfIndices.assign(count, 0);
    for (std::uint16_t& xf : xfIndices)
        xf = in.get16();
    return in.get16() == lastColumn() && in.ok();
}

void CellBlock::MulBlank::writeFields(ByteWriter& out) const
{
    out.put16(row);
    out.put16(firstColumn);
    for (std::uint16_t xf : xfIndices)
        out.put16(xf);
    out.put16(lastColumn());
}

CellBlock::MulRK::MulRK()
    : Record(recordCode)
{
}

bool CellBlock::MulRK::readFields(ByteReader& in)
{
    row = in.get16();
    firstColumn = in.get16();
    std::size_t count = 0;
    if (!in.ok() || !runLength(in, 6, count))
        return false;
    entries.assign(count, Entry());
    for (Entry& entry : entries) {
        entry.xfIndex = in.get16();
        entry.rk = in.get32();
    }
    return in.get16() == lastColumn() && in.ok();
}

void CellBlock::MulRK::writeFields(ByteWriter& out) const
{
    out.put16(row);
    out.put16(firstColumn);
    for (const Entry& entry : entries) {
        out.put16(entry.xfIndex);
        out.put32(entry.rk);
    }
    out.put16(lastColumn());
}

CellBlock::Number::Number()
    : Record(recordCode)
{
}

bool CellBlock::Number::readFields(ByteReader& in)
{
    readHead(in, row, column, xfIndex);
    value = in.getDouble();
    return in.ok();
}

void CellBlock::Number::writeFields(ByteWriter& out) const
{
    writeHead(out, row, column, xfIndex);
    out.putDouble(value);
}

CellBlock::RK::RK()
    : Record(recordCode)
{
}

bool CellBlock::RK::readFields(ByteReader& in)
{
    readHead(in, row, column, xfIndex);
    rk = in.get32();
    return in.ok();
}

void CellBlock::RK::writeFields(ByteWriter& out) const
{
    writeHead(out, row, column, xfIndex);
    out.put32(rk);
}

} // namespace Xls
