#pragma once

#include "Workbook.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Xls {

class ByteWriter;
class Cell;

// One sheet of a workbook: its name and its cells, 65536 rows by 256 columns.
class Worksheet
{
public:
    // The cells and the records they become.
    class CellTable;
    // The sheet's own records; each can read its fields back from record bytes.
    class Index;
    class Dimensions;
    class Window2;

    static constexpr int maxRows = 65536;
    static constexpr int maxColumns = 256;

    explicit Worksheet(std::string name);
    ~Worksheet();

    // Renamed through the workbook, which checks the name.
    const std::string& name() const { return sheetName; }

    // The cell at 0-based `row` and `column`, created empty when new; null outside the
    // sheet. The pointer stays valid as long as the sheet.
    Cell* cell(int row, int column);
    // The cell if it was ever addressed, else null.
    const Cell* findCell(int row, int column) const;

    // Counts the uses of the sheet's texts in the table.
    void collectStrings(Workbook::SharedStringTable& sst) const;
    // Appends the sheet's substream, BOF to EOF, to `out`, whose size on entry is the stream
    // offset of the BOF. `active` marks the sheet the workbook window shows.
    void writeSubstream(ByteWriter& out, const Workbook::SharedStringTable& sst, bool active) const;

private:
    friend class Workbook;

    std::string sheetName;
    std::unique_ptr<CellTable> cells;
};

} // namespace Xls
