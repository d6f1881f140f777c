#pragma once

#include "Record.h"
#include "UnicodeText.h"
#include "Workbook.h"

namespace Xls {

// WINDOW1: position and size of the workbook window, and which sheet tabs are shown.
class Workbook::Window1 : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x003D;

    Window1();

    std::size_t dataSize() const override { return 18; }

    std::uint16_t horizontalPosition = 120; // twips
    std::uint16_t verticalPosition = 120;
    std::uint16_t width = 15135;
    std::uint16_t height = 9300;
    std::uint16_t options = 0x0038; // scroll bars and sheet tabs shown
    std::uint16_t activeSheet = 0;
    std::uint16_t firstVisibleTab = 0;
    std::uint16_t selectedTabs = 1;
    std::uint16_t tabBarWidthRatio = 600; // per mille of the window width

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// FONT: one entry of the font table. The name defaults to "Arial" in the 16-bit form.
class Workbook::Font : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0031;

    Font();

    std::size_t dataSize() const override { return 14 + name.shortStringSize(); }

    std::uint16_t height = 200; // twentieths of a point
    std::uint16_t options = 0;
    std::uint16_t colourIndex = 0x7FFF; // the automatic text colour
    std::uint16_t weight = 400;
    std::uint16_t escapement = 0;
    std::uint8_t underline = 0;
    std::uint8_t family = 0;
    std::uint8_t characterSet = 0;
    UnicodeText name;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// XF: a cell or style format. The defaults make the style XF the workbook's cells use.
class Workbook::XF : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x00E0;

    XF();

    std::size_t dataSize() const override { return 20; }

    std::uint16_t fontIndex = 0;
    std::uint16_t formatIndex = 0;
    std::uint16_t typeAndProtection = 0xFFF5; // locked, a style XF, parent 0xFFF
    std::uint8_t alignment = 0x20;            // general, vertically at the bottom
    std::uint8_t rotation = 0;
    std::uint8_t textProperties = 0;
    std::uint8_t usedAttributes = 0;
    std::uint32_t borderLines = 0;
    std::uint32_t borderColours = 0;
    std::uint16_t fill = 0x20C0; // system foreground and background colours

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// STYLE: a named cell style. A built-in style (bit 15 of the XF word) carries its identifier
// and outline level; a user-defined one carries its name instead.
class Workbook::Style : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0293;
    static constexpr std::uint16_t builtInBit = 0x8000;

    Style();

    bool builtIn() const { return xfIndex & builtInBit; }
    std::size_t dataSize() const override { return builtIn() ? 4 : 2 + name.longStringSize(); }

    std::uint16_t xfIndex = builtInBit; // built-in, XF 0
    std::uint8_t builtInStyle = 0;      // Normal
    std::uint8_t outlineLevel = 0xFF;
    UnicodeText name; // user-defined styles only

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

// BOUNDSHEET: a sheet's name, state and the stream offset of its BOF record.
class Workbook::BoundSheet : public Record
{
public:
    static constexpr std::uint16_t recordCode = 0x0085;

    BoundSheet();
    explicit BoundSheet(UnicodeText name);

    std::size_t dataSize() const override { return 6 + name.shortStringSize(); }

    std::uint32_t position = 0;
    std::uint8_t visibility = 0; // visible
    std::uint8_t sheetType = 0;  // worksheet
    UnicodeText name;

protected:
    bool readFields(ByteReader& in) override;
    void writeFields(ByteWriter& out) const override;
};

} // namespace Xls
