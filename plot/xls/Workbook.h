#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Xls {

class Worksheet;

// A workbook in memory: the globals (window, fonts, cell formats, styles) and its worksheets,
// saved as a BIFF8 "Workbook" stream inside a compound document.
//
// Names and texts are UTF-8. A sheet name is 1 to 31 characters, none of : \ * ? / [ ],
// not beginning or ending with an apostrophe, and unique regardless of the case of its
// ASCII letters. A workbook holds 1 to 65535 sheets.
class Workbook
{
public:
    // The records of the globals; each can read its fields back from record bytes.
    class Window1;
    class Font;
    class XF;
    class Style;
    class BoundSheet;
    class SharedStringTable;
    class ExtSST;
    // The globals substream as a whole, with its defaults.
    class Globals;

    static constexpr std::size_t maxSheets = 65535;

    // The same as after newWorkbook(1).
    Workbook();
    ~Workbook();
    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;

    std::size_t worksheetCount() const;
    // The sheet of that exact name, or null.
    Worksheet* worksheet(const std::string& name);
    // The sheet at `index` in sheet order, or null.
    Worksheet* worksheet(std::size_t index);

    // Starts afresh with the default globals and `sheets` empty sheets "Sheet1", "Sheet2", …
    // (at least one, at most maxSheets). Pointers to the sheets before become invalid.
    void newWorkbook(int sheets);
    // Adds an empty sheet at the end, named "Sheet%d" with the first number from the sheet
    // count plus one on that is not yet taken. Null when the workbook is full.
    Worksheet* addWorksheet();
    // False when no sheet is named `from`, or `to` is no valid name or another sheet's.
    bool renameWorksheet(const std::string& from, const std::string& to);
    static bool isValidSheetName(const std::string& name);

    // The BIFF8 workbook stream: the globals, then each sheet. False (and `stream` cleared)
    // when the workbook is too large for the format: a stream beyond the container's limit
    // (CompoundFile::maxStreamSize, just under 2 GiB) or more than 8 388 479 distinct texts.
    // Throws std::bad_alloc when memory runs out.
    bool workbookStream(std::vector<std::uint8_t>& stream) const;
    // Writes the workbook as a compound document to `path` (in the local 8-bit encoding).
    // False when the file cannot be created or fully written, or the workbook is too large;
    // a regular file that was begun is then removed. Never throws.
    bool saveAs(const char* path) const;

private:
    bool nameTaken(const std::string& name, const Worksheet* except) const;

    std::unique_ptr<Globals> globals;
    std::vector<std::unique_ptr<Worksheet>> sheets;
};

} // namespace Xls
