#include "WorkbookRecords.h"

#include "ByteReader.h"
#include "ByteWriter.h"

namespace Xls {

Workbook::Window1::Window1()
    : Record(recordCode)
{
}

bool Workbook::Window1::readFields(ByteReader& in)
{
    horizontalPosition = in.get16();
    verticalPosition = in.get16();
    width = in.get16();
    height = in.get16();
    options = in.get16();
    activeSheet = in.get16();
    firstVisibleTab = in.get16();
    selectedTabs = in.get16();
    tabBarWidthRatio = in.get16();
    return in.ok();
}

void Workbook::Window1::writeFields(ByteWriter& out) const
{
    out.put16(horizontalPosition);
    out.put16(verticalPosition);
    out.put16(width);
    out.put16(height);
    out.put16(options);
    out.put16(activeSheet);
    out.put16(firstVisibleTab);
    out.put16(selectedTabs);
    out.put16(tabBarWidthRatio);
}

Workbook::Font::Font()
    : Record(recordCode)
    , name(u"Arial", true)
{
}

bool Workbook::Font::readFields(ByteReader& in)
{
    height = in.get16();
    options = in.get16();
    colourIndex = in.get16();
    weight = in.get16();
    escapement = in.get16();
    underline = in.get8();
    family = in.get8();
    characterSet = in.get8();
    in.skip(1); // unused
    name = UnicodeText::readShortString(in);
    return in.ok();
}

void Workbook::Font::writeFields(ByteWriter& out) const
{
    out.put16(height);
    out.put16(options);
    out.put16(colourIndex);
    out.put16(weight);
    out.put16(escapement);
    out.put8(underline);
    out.put8(family);
    out.put8(characterSet);
    out.put8(0);
    name.writeShortString(out);
}

Workbook::XF::XF()
    : Record(recordCode)
{
}

bool Workbook::XF::readFields(ByteReader& in)
{
    fontIndex = in.get16();
    formatIndex = in.get16();
    typeAndProtection = in.get16();
    alignment = in.get8();
    rotation = in.get8();
    textProperties = in.get8();
    usedAttributes = in.get8();
    borderLines = in.get32();
    borderColours = in.get32();
    fill = in.get16();
    return in.ok();
}

void Workbook::XF::writeFields(ByteWriter& out) const
{
    out.put16(fontIndex);
    out.put16(formatIndex);
    out.put16(typeAndProtection);
    out.put8(alignment);
    out.put8(rotation);
    out.put8(textProperties);
    out.put8(usedAttributes);
    out.put32(borderLines);
    out.put32(borderColours);
    out.put16(fill);
}

Workbook::Style::Style()
    : Record(recordCode)
{
}

bool Workbook::Style::readFields(ByteReader& in)
{
    xfIndex = in.get16();
    if (builtIn()) {
        builtInStyle = in.get8();
        outlineLevel = in.get8();
        name = UnicodeText();
    } else {
        name = UnicodeText::readLongString(in);
    }
    return in.ok();
}

void Workbook::Style::writeFields(ByteWriter& out) const
{
    out.put16(xfIndex);
    if (builtIn()) {
        out.put8(builtInStyle);
        out.put8(outlineLevel);
    } else {
        name.writeLongString(out);
    }
}

Workbook::BoundSheet::BoundSheet()
    : Record(recordCode)
{
}

Workbook::BoundSheet::BoundSheet(UnicodeText name)
    : Record(recordCode)
    , name(std::move(name))
{
}

bool Workbook::BoundSheet::readFields(ByteReader& in)
{
    position = in.get32();
    visibility = in.get8();
    sheetType = in.get8();
    name = UnicodeText::readShortString(in);
    return in.ok();
}

void Workbook::BoundSheet::writeFields(ByteWriter& out) const
{
    out.put32(position);
    out.put8(visibility);
    out.put8(sheetType);
    name.writeShortString(out);
}

} // namespace Xls
