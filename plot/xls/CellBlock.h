#pragma once

#include "RowBlock.h"

#include <memory>
#include <vector>

namespace Xls {

// The cell records of one row, in column order. A text becomes a LABELSST naming its SST
// entry. A number with an exact RK (see RkNumber.h) becomes an RK record, or, with exact
// RK neighbours in the next columns, one MULRK for the whole run; −0 and any other finite
// number become a NUMBER record, so every number reads back as the same double. NaN and the
// infinities become the error cell #NUM! (a BOOLERR). Empty cells get no record.
class Worksheet::CellTable::RowBlock::CellBlock
{
public:
    class Blank;
    class BoolErr;
    class LabelSST;
    class MulBlank;
    class MulRK;
    class Number;
    class RK;
    class Formula;

    // The cell format every cell record names: the default cell XF.
    static constexpr std::uint16_t cellXf = 15;

    // The records of the cells in [first, last), which lie in one row; each text among
    // them must be in `sst`.
    CellBlock(Cells::const_iterator first, Cells::const_iterator last, const Workbook::SharedStringTable& sst);
    ~CellBlock();
    CellBlock(CellBlock&&) noexcept;
    CellBlock& operator=(CellBlock&&) noexcept;

    bool empty() const { return records.empty(); }
    std::uint16_t row() const { return rowIndex; }
    std::uint16_t firstColumn() const { return first; }
    std::uint16_t lastColumnPlusOne() const { return end; }
    const std::vector<std::unique_ptr<Record>>& cellRecords() const { return records; }
    // Bytes of all the records.
    std::size_t size() const { return bytes; }
    std::size_t write(ByteWriter& out) const;

private:
    // Adds the number at `at` and the exact RK numbers right of it; returns the next cell.
    Cells::const_iterator addNumbers(Cells::const_iterator at, Cells::const_iterator last);
    // Adds the record of the cell at `key` (and of the `columnCount` - 1 cells right of it).
    void add(std::unique_ptr<Record> record, std::uint32_t key, int columnCount = 1);

    std::vector<std::unique_ptr<Record>> records;
    std::uint16_t rowIndex = 0;
    std::uint16_t first = 0;
    std::uint16_t end = 0;
    std::size_t bytes = 0;
};

} // namespace Xls
