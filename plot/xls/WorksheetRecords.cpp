#include "WorksheetRecords.h"

#include "ByteReader.h"
#include "ByteWriter.h"

namespace Xls {

Worksheet::Index::Index()
    : Record(recordCode)
{
}

bool Worksheet::Index::readFields(ByteReader& in)
{
    reserved = in.get32();
    firstRow = in.get32();
    lastRowPlusOne = in.get32();
    defaultColumnWidthPosition = in.get32();
    if (in.remaining() % 4 != 0)
        return false;
    dbCellPositions.assign(in.remaining() / 4, 0);
    for (std::uint32_t& position : dbCellPositions)
        position = in.get32();
    return in.ok();
}

void Worksheet::Index::writeFields(ByteWriter& out) const
{
    out.put32(reserved);
    out.put32(firstRow);
    out.put32(lastRowPlusOne);
    out.put32(defaultColumnWidthPosition);
    for (std::uint32_t position : dbCellPositions)
        out.put32(position);
}

Worksheet::Dimensions::Dimensions()
    : Record(recordCode)
{
}

bool Worksheet::Dimensions::readFields(ByteReader& in)
{
    firstRow = in.get32();
    lastRowPlusOne = in.get32();
    firstColumn = in.get16();
    lastColumnPlusOne = in.get16();
    reserved = in.get16();
    return in.ok();
}

void Worksheet::Dimensions::writeFields(ByteWriter& out) const
{
    out.put32(firstRow);
    out.put32(lastRowPlusOne);
    out.put16(firstColumn);
    out.put16(lastColumnPlusOne);
    out.put16(reserved);
}

Worksheet::Window2::Window2()
    : Record(recordCode)
{
}

bool Worksheet::Window2::readFields(ByteReader& in)
{
    options = in.get16();
    topRow = in.get16();
    leftColumn = in.get16();
    gridColourIndex = in.get16();
    reserved = in.get16();
    pageBreakZoom = in.get16();
    normalZoom = in.get16();
    reserved2 = in.get32();
    return in.ok();
}

void Worksheet::Window2::writeFields(ByteWriter& out) const
{
    out.put16(options);
    out.put16(topRow);
    out.put16(leftColumn);
    out.put16(gridColourIndex);
    out.put16(reserved);
    out.put16(pageBreakZoom);
    out.put16(normalZoom);
    out.put32(reserved2);
}

} // namespace Xls
