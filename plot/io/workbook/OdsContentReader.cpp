#include "OdsContentReader.h"

#include "CellText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

std::size_t repeatOf(std::string_view text)
{
    std::size_t count = 1;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), count);
    return result.ec == std::errc() && count > 0 ? count : 1;
}

// "PT12H30M05.5S" as the time of day "12:30:05.5"; empty for a duration of a day or more.
std::string timeOfDay(std::string_view duration)
{
    if (duration.substr(0, 2) != "PT")
        return std::string();
    duration.remove_prefix(2);
    double parts[3] = {0.0, 0.0, 0.0};
    for (const char unit : {'H', 'M', 'S'}) {
        const std::size_t at = duration.find(unit);
        if (at == std::string_view::npos)
            continue;
        double number = 0.0;
        const auto result = std::from_chars(duration.data(), duration.data() + at, number);
        if (result.ptr != duration.data() + at)
            return std::string();
        parts[unit == 'H' ? 0 : unit == 'M' ? 1 : 2] = number;
        duration.remove_prefix(at + 1);
    }
    const double seconds = parts[0] * 3600.0 + parts[1] * 60.0 + parts[2];
    if (!duration.empty() || !(seconds >= 0.0 && seconds < 86400.0))
        return std::string();
    const long long milliseconds = (long long)(seconds * 1000.0 + 0.5);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld.%03lld", milliseconds / 3600000, milliseconds / 60000 % 60,
                  milliseconds / 1000 % 60, milliseconds % 1000);
    return buffer;
}

} // namespace

OdsContentReader::OdsContentReader(const std::string& sheet, std::string& text, std::size_t maxLines)
    : scanner(*this)
    , wanted(sheet)
    , out(text)
    , maxLines(std::min(maxLines, kMaxRows))
{
}

void OdsContentReader::start(std::string_view name, const std::vector<XmlScanner::Attribute>& attributes)
{
    if (name == "table") {
        if (active)
            ++nesting;
        else if (!finished)
            startTable(attributes);
        return;
    }
    if (!active || nesting > 0 || done())
        return;
    if (name == "table-row") {
        rowRepeat = 1;
        for (const XmlScanner::Attribute& attribute : attributes) {
            if (attribute.name == "number-rows-repeated")
                rowRepeat = repeatOf(attribute.value);
        }
    } else if (name == "table-cell" || name == "covered-table-cell") {
        startCell(attributes);
    } else if (inCell && name == "annotation") {
        inAnnotation = true;
    } else if (inCell && !inAnnotation && name == "p") {
        inParagraph = true;
        if (paragraphCount++ > 0)
            paragraphs += ' ';
    } else if (inParagraph && name == "s") {
        std::size_t spaces = 1;
        for (const XmlScanner::Attribute& attribute : attributes) {
            if (attribute.name == "c")
                spaces = std::min<std::size_t>(repeatOf(attribute.value), 1000);
        }
        paragraphs.append(spaces, ' ');
    } else if (inParagraph && (name == "tab" || name == "line-break")) {
        paragraphs += ' ';
    }
}

void OdsContentReader::end(std::string_view name)
{
    if (name == "table" && active) {
        if (nesting > 0) {
            --nesting;
        } else {
            active = false;
            finished = true;
        }
        return;
    }
    if (!active || nesting > 0 || done())
        return;
    if (name == "table-row")
        endRow();
    else if (name == "table-cell" || name == "covered-table-cell")
        endCell();
    else if (name == "annotation")
        inAnnotation = false;
    else if (name == "p")
        inParagraph = false;
}

void OdsContentReader::text(std::string_view text, bool raw)
{
    if (!inParagraph || inAnnotation)
        return;
    if (raw)
        XmlScanner::appendDecoded(text, paragraphs);
    else
        paragraphs.append(text.data(), text.size());
}

void OdsContentReader::startTable(const std::vector<XmlScanner::Attribute>& attributes)
{
    std::string name;
    for (const XmlScanner::Attribute& attribute : attributes) {
        if (attribute.name == "name")
            name = XmlScanner::decoded(attribute.value);
    }
    names.push_back(name);
    active = wanted.empty() || name == wanted;
}

void OdsContentReader::startCell(const std::vector<XmlScanner::Attribute>& attributes)
{
    inCell = true;
    cellRepeat = 1;
    valueType.clear();
    value.clear();
    paragraphs.clear();
    paragraphCount = 0;
    std::string dateValue;
    std::string timeValue;
    std::string booleanValue;
    for (const XmlScanner::Attribute& attribute : attributes) {
        if (attribute.name == "number-columns-repeated")
            cellRepeat = repeatOf(attribute.value);
        else if (attribute.name == "value-type")
            valueType.assign(attribute.value);
        else if (attribute.name == "value")
            value = XmlScanner::decoded(attribute.value);
        else if (attribute.name == "date-value")
            dateValue = XmlScanner::decoded(attribute.value);
        else if (attribute.name == "time-value")
            timeValue = XmlScanner::decoded(attribute.value);
        else if (attribute.name == "boolean-value")
            booleanValue = XmlScanner::decoded(attribute.value);
    }
    if (valueType == "date")
        value = dateValue;
    else if (valueType == "time")
        value = timeOfDay(timeValue);
    else if (valueType == "boolean")
        value = booleanValue == "true" ? "TRUE" : "FALSE";
}

// Numbers, dates, times and truth values come from the cell's attributes, which hold them
// exactly; text from its paragraphs.
void OdsContentReader::cellValue(std::string& field) const
{
    if (valueType.empty())
        return;
    const bool fromParagraphs = valueType == "string" || (valueType != "float" && valueType != "percentage"
                                                          && valueType != "currency" && value.empty());
    CellText::appendText(fromParagraphs ? paragraphs : value, field);
}

// Empty cells are held back until a cell with a value follows them on the row.
void OdsContentReader::endCell()
{
    inCell = inParagraph = inAnnotation = false;
    std::string field;
    cellValue(field);
    if (field.empty()) {
        emptyCells += cellRepeat;
        return;
    }
    for (std::size_t k = 0; k < cellRepeat && fields + emptyCells < kMaxColumns; ++k) {
        row.append(emptyCells + (fields > 0 ? 1 : 0), '\t');
        fields += emptyCells + 1;
        emptyCells = 0;
        row += field;
    }
}

// Empty rows are held back until a row with a value follows them.
void OdsContentReader::endRow()
{
    emptyCells = 0;
    if (row.empty()) {
        emptyRows = std::min(emptyRows + rowRepeat, kMaxRows);
        return;
    }
    for (; emptyRows > 0 && lines < maxLines; --emptyRows, ++lines)
        out += '\n';
    for (std::size_t k = 0; k < rowRepeat && lines < maxLines; ++k, ++lines) {
        out += row;
        out += '\n';
    }
    row.clear();
    fields = 0;
}
