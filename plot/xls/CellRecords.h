#pragma once

#include "CellBlock.h"

namespace Xls {

// The cell records. Each starts with the cell's row, column and cell format (XF index), but
// MULRK and MULBLANK, which cover a run of columns in one row.

// BLANK: an empty cell that carries a format.
class Worksheet::CellTable::RowBlock::CellBlock::Blank : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0201;

    Blank();

    std::size_t dataSize() const override { return 6; }

    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t xfIndex = cellXf;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// BOOLERR: a Boolean (isError 0, value 0 or 1) or an error code (isError 1).
class Worksheet::CellTable::RowBlock::CellBlock::BoolErr : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0205;
    // The error code of #NUM!, the error of a number out of range.
    static constexpr std::uint8_t numError = 0x24;

    BoolErr();

    std::size_t dataSize() const override { return 8; }

    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t xfIndex = cellXf;
    std::uint8_t value = 0;
    std::uint8_t isError = 0;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// LABELSST: a text cell, naming its text by its position in the SST.
class Worksheet::CellTable::RowBlock::CellBlock::LabelSST : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x00FD;

    LabelSST();

    std::size_t dataSize() const override { return 10; }

    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t xfIndex = cellXf;
    std::uint32_t sstIndex = 0;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// MULBLANK: formatted empty cells in consecutive columns of one row (two or more).
class Worksheet::CellTable::RowBlock::CellBlock::MulBlank : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x00BE;

    MulBlank();

    std::size_t dataSize() const override { return 6 + 2 * xfIndices.size(); }
    std::uint16_t lastColumn() const { return std::uint16_t(firstColumn + xfIndices.size() - 1); }

    std::uint16_t row = 0;
    std::uint16_t firstColumn = 0;
    std::vector<std::uint16_t> xfIndices; // one per column

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// MULRK: RK numbers in consecutive columns of one row (two or more).
class Worksheet::CellTable::RowBlock::CellBlock::MulRK : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x00BD;

    struct Entry {
        std::uint16_t xfIndex = cellXf;
        std::uint32_t rk = 0;
    };

    MulRK();

    std::size_t dataSize() const override { return 6 + 6 * entries.size(); }
    std::uint16_t lastColumn() const { return std::uint16_t(firstColumn + entries.size() - 1); }

    std::uint16_t row = 0;
    std::uint16_t firstColumn = 0;
    std::vector<Entry> entries; // one per column

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// NUMBER: a number as a whole IEEE 754 double.
class Worksheet::CellTable::RowBlock::CellBlock::Number : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0203;

    Number();

    std::size_t dataSize() const override { return 14; }

    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t xfIndex = cellXf;
    double value = 0.0;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// RK: a number as an RK value.
class Worksheet::CellTable::RowBlock::CellBlock::RK : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x027E;

    RK();

    std::size_t dataSize() const override { return 10; }

    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t xfIndex = cellXf;
    std::uint32_t rk = 0;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

} // namespace Xls
