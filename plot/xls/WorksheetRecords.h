#pragma once

#include "Record.h"
#include "Worksheet.h"

#include <vector>

namespace Xls {

// INDEX: the range of rows in use and the stream offset of every DBCELL, so a reader finds
// a row's cells without walking the whole sheet.
class Worksheet::Index : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x020B;

    Index();

    std::size_t dataSize() const override { return 16 + 4 * dbCellPositions.size(); }

    std::uint32_t reserved = 0;
    std::uint32_t firstRow = 0;
    std::uint32_t lastRowPlusOne = 0;
    std::uint32_t defaultColumnWidthPosition = 0; // no DEFCOLWIDTH record is written
    std::vector<std::uint32_t> dbCellPositions;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// DIMENSIONS: the range of cells in use; all zero in an empty sheet.
class Worksheet::Dimensions : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0200;

    Dimensions();

    std::size_t dataSize() const override { return 14; }

    std::uint32_t firstRow = 0;
    std::uint32_t lastRowPlusOne = 0;
    std::uint16_t firstColumn = 0;
    std::uint16_t lastColumnPlusOne = 0;
    std::uint16_t reserved = 0;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// WINDOW2: how the sheet is shown.
class Worksheet::Window2 : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x023E;
    // Set for the sheet whose tab is selected and that the window shows.
    static constexpr std::uint16_t selectedAndShown = 0x0600;

    Window2();

    std::size_t dataSize() const override { return 18; }

    std::uint16_t options = 0x06B6; // grid, headings, zeros, outline symbols; selected, shown
    std::uint16_t topRow = 0;
    std::uint16_t leftColumn = 0;
    std::uint16_t gridColourIndex = 0x40;
    std::uint16_t reserved = 0;
    std::uint16_t pageBreakZoom = 0; // percent, 0 for the default
    std::uint16_t normalZoom = 0;
    std::uint32_t reserved2 = 0;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

} // namespace Xls
