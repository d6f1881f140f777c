#pragma once

#include "Record.h"

namespace Xls {

// BOF: starts the workbook globals and every worksheet.
class BOF : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0809;
    static constexpr std::uint16_t workbookGlobals = 0x0005;
    static constexpr std::uint16_t worksheet = 0x0010;

    explicit BOF(std::uint16_t substreamType = workbookGlobals);

    std::size_t dataSize() const override { return 16; }

    std::uint16_t version = 0x0600;
    std::uint16_t substreamType;
    std::uint16_t build = 0x19A0;
    std::uint16_t year = 0x07CD;
    std::uint32_t fileHistory = 0xC0C9;
    std::uint32_t lowestVersion = 0x0306;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// EOF: ends every substream; it has no data.
class Eof : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x000A;

    Eof();

    std::size_t dataSize() const override { return 0; }

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

} // namespace Xls
