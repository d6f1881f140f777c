#include "FormulaRecords.h"

#include "ByteReader.h"
#include "ByteWriter.h"

namespace Xls {

namespace {

using Formula = Worksheet::CellTable::RowBlock::CellBlock::Formula;

// A parsed formula: the byte count of the expression, the expression, then whatever data
// the record holds after it.
void readParsed(ByteReader& in, std::vector<std::uint8_t>& tokens, std::vector<std::uint8_t>& extra)
{
    const std::size_t count = in.get16();
    if (!in.ok() || count > in.remaining()) {
        in.fail();
        return;
    }
    tokens.resize(count);
    in.getBytes(tokens.data(), count);
    extra.resize(in.remaining());
    in.getBytes(extra.data(), extra.size());
}

void writeParsed(ByteWriter& out, const std::vector<std::uint8_t>& tokens, const std::vector<std::uint8_t>& extra)
{
    out.put16(std::uint16_t(tokens.size()));
    out.putBytes(tokens.data(), tokens.size());
    out.putBytes(extra.data(), extra.size());
}

} // namespace

Formula::Formula()
    : Record(recordCode)
{
}

bool Formula::readFields(ByteReader& in)
{
    row = in.get16();
    column = in.get16();
    xfIndex = in.get16();
    result = in.get64();
    options = in.get16();
    reserved = in.get32();
    readParsed(in, tokens, extra);
    return in.ok();
}

void Formula::writeFields(ByteWriter& out) const
{
    out.put16(row);
    out.put16(column);
    out.put16(xfIndex);
    out.put64(result);
    out.put16(options);
    out.put32(reserved);
    writeParsed(out, tokens, extra);
}

Formula::Array::Array()
    : Record(recordCode)
{
}

bool Formula::Array::readFields(ByteReader& in)
{
    firstRow = in.get16();
    lastRow = in.get16();
    firstColumn = in.get8();
    lastColumn = in.get8();
    options = in.get16();
    reserved = in.get32();
    readParsed(in, tokens, extra);
    return in.ok();
}

void Formula::Array::writeFields(ByteWriter& out) const
{
    out.put16(firstRow);
    out.put16(lastRow);
    out.put8(firstColumn);
    out.put8(lastColumn);
    out.put16(options);
    out.put32(reserved);
    writeParsed(out, tokens, extra);
}

Formula::ShrFmla::ShrFmla()
    : Record(recordCode)
{
}

Formula::ShrFmla::ShrFmla(std::uint16_t code)
    : Record(code)
{
}

bool Formula::ShrFmla::readFields(ByteReader& in)
{
    firstRow = in.get16();
    lastRow = in.get16();
    firstColumn = in.get8();
    lastColumn = in.get8();
    reserved = in.get8();
    uses = in.get8();
    readParsed(in, tokens, extra);
    return in.ok();
}

void Formula::ShrFmla::writeFields(ByteWriter& out) const
{
    out.put16(firstRow);
    out.put16(lastRow);
    out.put8(firstColumn);
    out.put8(lastColumn);
    out.put8(reserved);
    out.put8(uses);
    writeParsed(out, tokens, extra);
}

Formula::ShrFmla1::ShrFmla1()
    : ShrFmla(recordCode)
{
}

Formula::Table::Table()
    : Record(recordCode)
{
}

bool Formula::Table::readFields(ByteReader& in)
{
    firstRow = in.get16();
    lastRow = in.get16();
    firstColumn = in.get8();
    lastColumn = in.get8();
    options = in.get16();
    inputRowRow = in.get16();
    inputRowColumn = in.get16();
    inputColumnRow = in.get16();
    inputColumnColumn = in.get16();
    return in.ok();
}

void Formula::Table::writeFields(ByteWriter& out) const
{
    out.put16(firstRow);
    out.put16(lastRow);
    out.put8(firstColumn);
    out.put8(lastColumn);
    out.put16(options);
    out.put16(inputRowRow);
    out.put16(inputRowColumn);
    out.put16(inputColumnRow);
    out.put16(inputColumnColumn);
}

Formula::String::String()
    : Record(recordCode)
{
}

bool Formula::String::readFields(ByteReader& in)
{
    value = UnicodeText::readLongString(in);
    return in.ok();
}

void Formula::String::writeFields(ByteWriter& out) const
{
    value.writeLongString(out);
}

} // namespace Xls
