#include "CurveWorkbook.h"

#include "Cell.h"
#include "Workbook.h"
#include "Worksheet.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace Xls {

namespace {

// The title, then points first … last - 1 of the curve in the rows below it.
void fillSheet(Worksheet& sheet, const std::string& title, const double* x, const double* y, std::size_t first,
               std::size_t last)
{
    sheet.cell(0, 0)->setText(title.c_str());
    for (std::size_t i = first; i < last; ++i) {
        const int row = int(i - first + 1);
        sheet.cell(row, 0)->setDouble(x[i]);
        sheet.cell(row, 1)->setDouble(y[i]);
    }
}

} // namespace

bool writeCurve(const std::string& path, const std::string& title, const double* x, const double* y,
                std::size_t count, int& sheets)
{
    sheets = 0;
    if (count > 0 && (!x || !y))
        return false;
    const std::size_t sheetCount = count == 0 ? 1 : (count - 1) / curveRowsPerSheet + 1;
    if (sheetCount > Workbook::maxSheets)
        return false;
    try {
        Workbook book;
        for (std::size_t s = 0; s < sheetCount; ++s) {
            Worksheet* sheet = s == 0 ? book.worksheet(std::size_t(0)) : book.addWorksheet();
            book.renameWorksheet(sheet->name(), "SHEET " + std::to_string(s + 1));
            const std::size_t first = s * curveRowsPerSheet;
            fillSheet(*sheet, title, x, y, first, std::min(count, first + curveRowsPerSheet));
        }
        if (!book.saveAs(path.c_str()))
            return false;
        sheets = int(sheetCount);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

} // namespace Xls
