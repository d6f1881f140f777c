#pragma once

#include "CellBlock.h"
#include "UnicodeText.h"

#include <vector>

namespace Xls {

// Formula records. The workbook writes no formulas; these records read back and write again
// whole what another writer made. A formula stays in its parsed form: `tokens` are the
// parsed expression (its length is the 16-bit count before it), `extra` the data that
// follows it in the record (constant arrays and the like).

// FORMULA: a cell's formula and the result last computed.
class Worksheet::CellTable::RowBlock::CellBlock::Formula : public Record
{
public:
    // The records that go with a formula: a shared or array formula's body, a data table,
    // and the text result of the formula before them.
    class Array;
    class ShrFmla;
    class ShrFmla1;
    class Table;
    class String;

    static constexpr std::uint16_t recordCode = 0x0006;

    Formula();

    std::size_t dataSize() const override { return 22 + tokens.size() + extra.size(); }

    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t xfIndex = cellXf;
    // The result: a double's bit pattern, or a marker (top 16 bits 0xFFFF) for a text,
    // Boolean, error or empty result; kept as bits so that a marker is never altered.
    std::uint64_t result = 0;
    std::uint16_t options = 0;
    std::uint32_t reserved = 0;
    std::vector<std::uint8_t> tokens;
    std::vector<std::uint8_t> extra;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// ARRAY: the formula of an array formula and the cell range it fills.
class Worksheet::CellTable::RowBlock::CellBlock::Formula::Array : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0221;

    Array();

    std::size_t dataSize() const override { return 14 + tokens.size() + extra.size(); }

    std::uint16_t firstRow = 0;
    std::uint16_t lastRow = 0;
    std::uint8_t firstColumn = 0;
    std::uint8_t lastColumn = 0;
    std::uint16_t options = 0;
    std::uint32_t reserved = 0;
    std::vector<std::uint8_t> tokens;
    std::vector<std::uint8_t> extra;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// SHRFMLA: a formula shared by the formula cells of a range.
class Worksheet::CellTable::RowBlock::CellBlock::Formula::ShrFmla : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x04BC;

    ShrFmla();

    std::size_t dataSize() const override { return 10 + tokens.size() + extra.size(); }

    std::uint16_t firstRow = 0;
    std::uint16_t lastRow = 0;
    std::uint8_t firstColumn = 0;
    std::uint8_t lastColumn = 0;
    std::uint8_t reserved = 0;
    std::uint8_t uses = 0; // cells that share it
    std::vector<std::uint8_t> tokens;
    std::vector<std::uint8_t> extra;

protected:
    explicit ShrFmla(std::uint16_t code);

    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// SHRFMLA under its older record code, which some writers still use; the same fields.
class Worksheet::CellTable::RowBlock::CellBlock::Formula::ShrFmla1 : public ShrFmla
{
public:
    static constexpr std::uint16_t recordCode = 0x00BC;

    ShrFmla1();
};

// TABLE: a data table (what-if analysis) over a range, with its input cells.
class Worksheet::CellTable::RowBlock::CellBlock::Formula::Table : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0236;

    Table();

    std::size_t dataSize() const override { return 16; }

    std::uint16_t firstRow = 0;
    std::uint16_t lastRow = 0;
    std::uint8_t firstColumn = 0;
    std::uint8_t lastColumn = 0;
    std::uint16_t options = 0;
    std::uint16_t inputRowRow = 0;
    std::uint16_t inputRowColumn = 0;
    std::uint16_t inputColumnRow = 0;
    std::uint16_t inputColumnColumn = 0;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// STRING: the text result of the formula before it.
class Worksheet::CellTable::RowBlock::CellBlock::Formula::String : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0207;

    String();

    std::size_t dataSize() const override { return value.longStringSize(); }

    UnicodeText value;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

} // namespace Xls
