#pragma once

#include "CellText.h"
#include "XmlScanner.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What the cells of a workbook's sheets refer to: the shared strings, how each cell style
// shows a number, and the date system.
struct SheetContext {
    std::vector<std::string> sharedStrings;
    std::vector<CellText::Shown> styles;
    bool date1904 = false;
};

// Turns the XML of one worksheet into the lines of a text table, one line per row and a TAB
// between the cells, so that the table rules read a sheet as they read a text file. A row or
// cell that is not written (a sparse sheet) is an empty line or field where it stands; the
// sheet's own limits of rows and columns bound what a file can make of it.
class SheetXmlReader : private XmlScanner::Handler
{
public:
    static constexpr std::size_t kMaxRows = 1048576;
    static constexpr std::size_t kMaxColumns = 16384;

    // Appends to `text`, at most `maxLines` lines.
    SheetXmlReader(const SheetContext& context, std::string& text, std::size_t maxLines = kMaxRows);

    // Reads the next piece of the XML, as XmlScanner::scan does.
    std::size_t scan(std::string_view xml, bool atEnd);
    // Whether the rest of the XML is not needed: the cells have ended, or the lines asked
    // for are there.
    bool done() const { return ended || lines >= maxLines; }
    bool failed() const { return scanner.failed(); }

    // The sheet in memory at once; false when its XML is malformed.
    static bool read(std::string_view xml, const SheetContext& context, std::string& text,
                     std::size_t maxLines = kMaxRows);

private:
    enum class Type : unsigned char { Number, Shared, Inline, Text, Boolean, Error, Date };

    void start(std::string_view name, const std::vector<XmlScanner::Attribute>& attributes) override;
    void end(std::string_view name) override;
    void text(std::string_view text, bool raw) override;

    void startRow(const std::vector<XmlScanner::Attribute>& attributes);
    void startCell(const std::vector<XmlScanner::Attribute>& attributes);
    void endCell();
    void endRow();
    void writeValue();
    void placeField(std::size_t at);

    XmlScanner scanner;
    const SheetContext& context;
    std::string& out;
    std::size_t maxLines;
    std::size_t lines = 0;
    // Fields written in the current line; the cell being read goes at `cellColumn`.
    std::size_t fields = 0;
    std::size_t cellColumn = 0;
    std::size_t style = 0;
    Type type = Type::Number;
    bool inRow = false;
    bool skipRow = false;
    bool inCell = false;
    bool inValue = false;
    bool inInline = false;
    bool inRun = false;
    bool inPhonetic = false;
    bool hasValue = false;
    bool ended = false;
    std::string value;
};
