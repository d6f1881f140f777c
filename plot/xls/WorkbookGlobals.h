#pragma once

#include "SharedStringTable.h"
#include "SubstreamRecords.h"
#include "Workbook.h"
#include "WorkbookRecords.h"

#include <vector>

namespace Xls {

// The globals substream, in the order it is written: BOF, WINDOW1, the fonts, the cell
// formats (XF), the styles, one BOUNDSHEET per sheet, the SST, its EXTSST and EOF.
//
// The defaults are those of a new workbook: 4 identical fonts, 21 identical XFs and 6
// identical built-in STYLEs. Cells name XF 15.
class Workbook::Globals
{
public:
    static constexpr std::size_t defaultFonts = 4;
    static constexpr std::size_t defaultXfs = 21;
    static constexpr std::size_t defaultStyles = 6;

    Globals();

    // Stream offset of the SST record: the globals begin the stream.
    std::size_t sstPosition() const;
    // Fills the EXTSST from the SST as it will be written.
    void indexStrings();
    std::size_t size() const;
    std::size_t write(ByteWriter& out) const;

    BOF bof;
    Window1 window1;
    std::vector<Font> fonts;
    std::vector<XF> xfs;
    std::vector<Style> styles;
    std::vector<BoundSheet> boundSheets;
    SharedStringTable sst;
    ExtSST extSst;
    Eof eof;
};

} // namespace Xls
