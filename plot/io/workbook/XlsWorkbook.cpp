#include "XlsWorkbook.h"

#include "CellText.h"

#include <QFile>

#include <freexl.h>

#include <algorithm>

namespace {

QString freexlError(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("the file cannot be opened");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("not enough memory");
    case FREEXL_UNSUPPORTED_CHARSET:
        return QStringLiteral("a character set that cannot be read");
    default:
        return QStringLiteral("not a readable .xls workbook (FreeXL error %1)").arg(code);
    }
}

} // namespace

XlsWorkbook::XlsWorkbook() = default;

XlsWorkbook::~XlsWorkbook()
{
    if (handle)
        freexl_close(handle);
}

bool XlsWorkbook::open(const QString& path, QString& reason)
{
    const int opened = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (opened != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        handle = nullptr;
        reason = freexlError(opened);
        return false;
    }
    unsigned int value = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &value) == FREEXL_OK && value == FREEXL_BIFF_OBFUSCATED) {
        reason = QStringLiteral("the workbook is protected by a password");
        return false;
    }
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0) {
        reason = QStringLiteral("the workbook has no worksheet");
        return false;
    }
    for (unsigned short i = 0; i < count && i < 0xFFFF; ++i) {
        const char* name = nullptr;
        names.emplace_back(freexl_get_worksheet_name(handle, i, &name) == FREEXL_OK && name ? name : "");
    }
    return true;
}

bool XlsWorkbook::sheetText(const std::string& sheet, std::size_t maxLines, std::string& text, QString& reason)
{
    const auto named = std::find(names.begin(), names.end(), sheet);
    if (!sheet.empty() && named == names.end()) {
        reason = QStringLiteral("no sheet is named %1").arg(QString::fromStdString(sheet));
        return false;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    const auto index = (unsigned short)(sheet.empty() ? 0 : named - names.begin());
    if (freexl_select_active_worksheet(handle, index) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
        reason = QStringLiteral("the sheet cannot be read");
        return false;
    }
    std::string line;
    for (unsigned int row = 0; row < rows && row < maxLines; ++row) {
        line.clear();
        for (unsigned short column = 0; column < columns; ++column)
            appendCell(row, column, line);
        line.erase(line.find_last_not_of('\t') + 1);
        text += line;
        text += '\n';
    }
    return true;
}

// Every cell gets its field, so that the columns stay in place; empty ones trail off.
void XlsWorkbook::appendCell(unsigned int row, unsigned short column, std::string& line)
{
    if (column > 0)
        line += '\t';
    FreeXL_CellValue cell;
    if (freexl_get_cell_value(handle, row, column, &cell) != FREEXL_OK)
        return;
    switch (cell.type) {
    case FREEXL_CELL_INT:
        line += std::to_string(cell.value.int_value);
        break;
    case FREEXL_CELL_DOUBLE:
        CellText::appendNumber(cell.value.double_value, line);
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        if (cell.value.text_value)
            CellText::appendText(cell.value.text_value, line);
        break;
    default:
        break;
    }
}
