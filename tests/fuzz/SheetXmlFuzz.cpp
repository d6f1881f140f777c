// The workbook XML readers: a worksheet's XML, its shared strings and an OpenDocument
// content part. Fed in pieces cut where the first byte says, the text is the one the whole
// XML gives; a sheet never makes more lines than asked for, whatever its cells hold, or more
// fields than its columns.

#include "FuzzCheck.h"
#include "OdsContentReader.h"
#include "SharedStringsReader.h"
#include "SheetXmlReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

template <typename Reader>
void feed(Reader& reader, std::string_view xml, std::size_t piece)
{
    std::string pending;
    for (std::size_t at = 0; at < xml.size() && !reader.done(); at += piece) {
        pending.append(xml.substr(at, piece));
        pending.erase(0, reader.scan(pending, false));
        if (reader.failed())
            return;
    }
    if (!reader.done())
        reader.scan(pending, true);
}

void checkLines(const std::string& text, std::size_t maxLines)
{
    std::size_t lines = 0;
    std::size_t fields = 1;
    for (const char c : text) {
        if (c == '\n') {
            ++lines;
            fields = 1;
        } else if (c == '\t') {
            fuzz::check(++fields <= SheetXmlReader::kMaxColumns, "no more fields than a sheet has columns");
        }
    }
    fuzz::check(lines + (text.empty() || text.back() == '\n' ? 0 : 1) <= maxLines, "no more lines than asked for");
}

// Shared strings that hold TABs, quotes and line breaks, and dates of both kinds.
SheetContext contextOf(std::uint8_t choice)
{
    SheetContext context;
    context.sharedStrings = {"name", "a\tb", "\"q\"", "line\nbreak", ""};
    context.styles = {CellText::Shown::Number, CellText::Shown::Date, CellText::Shown::Time};
    context.date1904 = (choice & 1) != 0;
    return context;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t piece = std::size_t(data[0] % 61) + 1;
    const std::size_t maxLines = std::size_t(data[1] % 50) + 1;
    const std::string_view xml(reinterpret_cast<const char*>(data) + 2, size - 2);
    const SheetContext context = contextOf(data[1]);

    std::string whole;
    SheetXmlReader wholeReader(context, whole, maxLines);
    wholeReader.scan(xml, true);
    std::string pieces;
    SheetXmlReader pieceReader(context, pieces, maxLines);
    feed(pieceReader, xml, piece);
    checkLines(whole, maxLines);
    if (!wholeReader.failed() && !pieceReader.failed())
        fuzz::check(whole == pieces, "pieces give the text of the whole");

    std::vector<std::string> strings;
    SharedStringsReader shared(strings);
    shared.scan(xml, true);
    fuzz::check(strings.size() <= xml.size(), "no more strings than the XML has bytes");

    std::string sheet;
    OdsContentReader content(std::string(), sheet, maxLines);
    content.scan(xml, true);
    checkLines(sheet, maxLines);
    return 0;
}
