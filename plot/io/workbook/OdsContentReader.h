#pragma once

#include "XmlScanner.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Turns one sheet of an OpenDocument spreadsheet's content into the lines of a text table,
// as SheetXmlReader does for a workbook's sheet: numbers as the file stores them, dates and
// times in a form the date reader knows, text from the cell's paragraphs. Repeated rows and
// cells are written out where data follow them; the empty ones that only fill the sheet to
// its end are not.
class OdsContentReader : private XmlScanner::Handler
{
public:
    static constexpr std::size_t kMaxRows = 1048576;
    static constexpr std::size_t kMaxColumns = 16384;

    // The sheet named `sheet`, or the first one when it is empty.
    OdsContentReader(const std::string& sheet, std::string& text, std::size_t maxLines = kMaxRows);

    std::size_t scan(std::string_view xml, bool atEnd) { return scanner.scan(xml, atEnd); }
    bool done() const { return finished || lines >= maxLines; }
    bool failed() const { return scanner.failed(); }
    // Whether the sheet was there; the names of the sheets passed on the way.
    bool found() const { return active || finished; }
    const std::vector<std::string>& sheetNames() const { return names; }

private:
    void start(std::string_view name, const std::vector<XmlScanner::Attribute>& attributes) override;
    void end(std::string_view name) override;
    void text(std::string_view text, bool raw) override;

    void startTable(const std::vector<XmlScanner::Attribute>& attributes);
    void startCell(const std::vector<XmlScanner::Attribute>& attributes);
    void endCell();
    void endRow();
    void cellValue(std::string& field) const;

    XmlScanner scanner;
    std::string wanted;
    std::string& out;
    std::size_t maxLines;
    std::vector<std::string> names;
    bool active = false;
    bool finished = false;
    int nesting = 0;
    std::size_t lines = 0;
    std::size_t emptyRows = 0;
    std::size_t rowRepeat = 1;
    std::string row;
    std::size_t fields = 0;
    std::size_t emptyCells = 0;
    bool inCell = false;
    bool inParagraph = false;
    bool inAnnotation = false;
    std::size_t cellRepeat = 1;
    std::string valueType;
    std::string value;
    std::string paragraphs;
    int paragraphCount = 0;
};
