#include "SheetXmlReader.h"

#include <charconv>

namespace {

// A cell reference's column from 0: "C7" is 2; npos without letters.
std::size_t columnOf(std::string_view reference)
{
    std::size_t column = 0;
    std::size_t letters = 0;
    for (const char c : reference) {
        const char upper = char(c & ~0x20);
        if (upper < 'A' || upper > 'Z')
            break;
        if (++letters > 3)
            return std::string_view::npos;
        column = column * 26 + std::size_t(upper - 'A' + 1);
    }
    return letters == 0 ? std::string_view::npos : column - 1;
}

// A whole number of up to eight digits, such as a row number or a string's index; npos
// for anything else.
std::size_t indexOf(std::string_view text)
{
    std::size_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.size() > 8)
        return std::string_view::npos;
    return value;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\n' || text.front() == '\r' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

SheetXmlReader::SheetXmlReader(const SheetContext& context, std::string& text, std::size_t maxLines)
    : scanner(*this)
    , context(context)
    , out(text)
    , maxLines(maxLines)
{
}

bool SheetXmlReader::read(std::string_view xml, const SheetContext& context, std::string& text, std::size_t maxLines)
{
    SheetXmlReader reader(context, text, maxLines);
    reader.scan(xml, true);
    return !reader.failed();
}

std::size_t SheetXmlReader::scan(std::string_view xml, bool atEnd)
{
    return scanner.scan(xml, atEnd);
}

void SheetXmlReader::start(std::string_view name, const std::vector<XmlScanner::Attribute>& attributes)
{
    if (done())
        return;
    if (name == "c" && inRow) {
        startCell(attributes);
    } else if (name == "v" && inCell) {
        inValue = true;
    } else if (name == "is" && inCell) {
        inInline = true;
    } else if (name == "t" && inInline) {
        inRun = true;
    } else if (name == "rPh" && inInline) {
        inPhonetic = true;
    } else if (name == "row") {
        startRow(attributes);
    }
}

void SheetXmlReader::end(std::string_view name)
{
    if (done())
        return;
    if (name == "v") {
        inValue = false;
    } else if (name == "t") {
        inRun = false;
    } else if (name == "rPh") {
        inPhonetic = false;
    } else if (name == "is") {
        inInline = false;
    } else if (name == "c" && inCell) {
        endCell();
    } else if (name == "row" && inRow) {
        endRow();
    } else if (name == "sheetData") {
        ended = true;
    }
}

void SheetXmlReader::text(std::string_view text, bool raw)
{
    if (!(inValue || (inRun && !inPhonetic)))
        return;
    if (raw)
        XmlScanner::appendDecoded(text, value);
    else
        value.append(text.data(), text.size());
    hasValue = true;
}

// Rows not written stand as empty lines; a row number at or before the line reached starts
// the next line, and one beyond the sheet's last row is left out.
void SheetXmlReader::startRow(const std::vector<XmlScanner::Attribute>& attributes)
{
    std::size_t row = lines + 1;
    for (const XmlScanner::Attribute& attribute : attributes) {
        if (attribute.name == "r")
            row = indexOf(attribute.value);
    }
    inRow = true;
    fields = 0;
    skipRow = row == std::string_view::npos || row > kMaxRows;
    if (skipRow)
        return;
    while (lines + 1 < row && lines < maxLines) {
        out += '\n';
        ++lines;
    }
    skipRow = lines >= maxLines;
}

void SheetXmlReader::startCell(const std::vector<XmlScanner::Attribute>& attributes)
{
    inCell = true;
    hasValue = false;
    value.clear();
    type = Type::Number;
    style = 0;
    cellColumn = fields;
    for (const XmlScanner::Attribute& attribute : attributes) {
        if (attribute.name == "r") {
            cellColumn = columnOf(attribute.value);
        } else if (attribute.name == "s") {
            style = indexOf(attribute.value);
        } else if (attribute.name == "t") {
            static const std::pair<std::string_view, Type> types[] = {
                {"s", Type::Shared}, {"inlineStr", Type::Inline}, {"str", Type::Text},
                {"b", Type::Boolean}, {"e", Type::Error},         {"d", Type::Date}};
            for (const auto& [code, kind] : types)
                type = attribute.value == code ? kind : type;
        }
    }
}

// A cell left of one already written, or beyond the last column, is left out.
void SheetXmlReader::endCell()
{
    inCell = false;
    inValue = inInline = inRun = inPhonetic = false;
    if (skipRow || !hasValue || cellColumn == std::string_view::npos || cellColumn >= kMaxColumns
        || (fields > 0 && cellColumn < fields))
        return;
    placeField(cellColumn);
    writeValue();
}

void SheetXmlReader::placeField(std::size_t at)
{
    out.append(at - fields + (fields > 0 ? 1 : 0), '\t');
    fields = at + 1;
}

void SheetXmlReader::writeValue()
{
    switch (type) {
    case Type::Shared: {
        const std::size_t index = indexOf(trimmed(value));
        if (index < context.sharedStrings.size())
            CellText::appendText(context.sharedStrings[index], out);
        return;
    }
    case Type::Boolean:
        out += trimmed(value) == "1" ? "TRUE" : "FALSE";
        return;
    case Type::Inline:
    case Type::Text:
    case Type::Error:
    case Type::Date:
        CellText::appendText(value, out);
        return;
    case Type::Number:
        break;
    }
    const std::string_view number = trimmed(value);
    const CellText::Shown shown = style < context.styles.size() ? context.styles[style] : CellText::Shown::Number;
    double serial = 0.0;
    if (shown != CellText::Shown::Number
        && std::from_chars(number.data(), number.data() + number.size(), serial).ptr == number.data() + number.size()
        && CellText::appendSerialDate(serial, shown, context.date1904, out))
        return;
    CellText::appendText(number, out);
}

void SheetXmlReader::endRow()
{
    inRow = false;
    if (skipRow)
        return;
    out += '\n';
    ++lines;
}
