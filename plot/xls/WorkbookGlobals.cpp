#include "WorkbookGlobals.h"

namespace Xls {

namespace {

template <typename R>
std::size_t sizeOf(const std::vector<R>& records)
{
    std::size_t size = 0;
    for (const R& record : records)
        size += record.recordSize();
    return size;
}

template <typename R>
std::size_t writeAll(ByteWriter& out, const std::vector<R>& records)
{
    std::size_t written = 0;
    for (const R& record : records)
        written += record.write(out);
    return written;
}

} // namespace

Workbook::Globals::Globals()
    : bof(BOF::workbookGlobals)
    , fonts(defaultFonts)
    , xfs(defaultXfs)
    , styles(defaultStyles)
{
}

std::size_t Workbook::Globals::sstPosition() const
{
    return bof.recordSize() + window1.recordSize() + sizeOf(fonts) + sizeOf(xfs) + sizeOf(styles)
        + sizeOf(boundSheets);
}

void Workbook::Globals::indexStrings()
{
    extSst.index(sst, sstPosition());
}

std::size_t Workbook::Globals::size() const
{
    return sstPosition() + sst.recordSize() + extSst.recordSize() + eof.recordSize();
}

std::size_t Workbook::Globals::write(ByteWriter& out) const
{
    std::size_t written = bof.write(out) + window1.write(out);
    written += writeAll(out, fonts);
    written += writeAll(out, xfs);
    written += writeAll(out, styles);
    written += writeAll(out, boundSheets);
    written += sst.write(out);
    written += extSst.write(out);
    return written + eof.write(out);
}

} // namespace Xls
