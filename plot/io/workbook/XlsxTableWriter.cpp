#include "XlsxTableWriter.h"

#include "CellText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>
#include <zip.h>

#include <cmath>
#include <new>

namespace {

// Sheets of numbers shrink nearly as much at the fastest level of compression as at the
// library's default, in a fraction of the time.
constexpr zip_uint32_t kFastest = 1;
// No sheet this writer makes is larger: 1,048,576 rows of sixteen cells.
constexpr std::size_t kLargestSheet = std::size_t(2) << 30;

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

bool isNumber(double value)
{
    return std::isfinite(value);
}

// Row `row` of the table, from its first value row.
bool writeRow(lxw_worksheet* sheet, lxw_row_t at, const std::vector<XlsxTableWriter::Column>& columns, std::size_t row)
{
    for (std::size_t j = 0; j < columns.size(); ++j) {
        if (row >= columns[j].count)
            continue;
        const double value = columns[j].values[row];
        lxw_error result = LXW_NO_ERROR;
        if (isNumber(value))
            result = worksheet_write_number(sheet, at, lxw_col_t(j), value, nullptr);
        else if (std::isinf(value))
            result = worksheet_write_string(sheet, at, lxw_col_t(j), value > 0 ? "inf" : "-inf", nullptr);
        if (result != LXW_NO_ERROR)
            return false;
    }
    return true;
}

bool writeHeader(lxw_worksheet* sheet, const std::vector<XlsxTableWriter::Column>& columns)
{
    for (std::size_t j = 0; j < columns.size(); ++j) {
        if (worksheet_write_string(sheet, 0, lxw_col_t(j), columns[j].name.c_str(), nullptr) != LXW_NO_ERROR)
            return false;
    }
    return true;
}

QString libraryError(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

} // namespace

bool XlsxTableWriter::write(const QString& path, const std::vector<Column>& columns, std::size_t rows, QString& error,
                            std::size_t sheetRows)
{
    if (columns.empty() || columns.size() > LXW_COL_MAX || sheetRows < 2 || sheetRows > kSheetRows) {
        error = QStringLiteral("a sheet holds from 1 to %1 columns and from 2 to %2 rows").arg(LXW_COL_MAX).arg(kSheetRows);
        return false;
    }
    const std::size_t valueRows = sheetRows - 1;
    // Rows go to the file as they are written, so memory holds one row, not the table.
    QByteArray folder = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options = {LXW_TRUE, folder.data(), LXW_TRUE};
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!workbook) {
        error = QStringLiteral("the workbook cannot be made");
        return false;
    }
    const std::size_t sheets = rows == 0 ? 1 : (rows + valueRows - 1) / valueRows;
    bool written = true;
    for (std::size_t s = 0; s < sheets && written; ++s) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
        written = sheet && writeHeader(sheet, columns);
        for (std::size_t row = s * valueRows; written && row < rows && row < (s + 1) * valueRows; ++row)
            written = writeRow(sheet, lxw_row_t(row - s * valueRows + 1), columns, row);
    }
    const lxw_error closed = workbook_close(workbook);
    if (!written || closed != LXW_NO_ERROR) {
        error = written ? libraryError(closed) : QStringLiteral("a cell cannot be written");
        return false;
    }
    return exactSheets(path, columns, rows, int(sheets), error);
}

std::string XlsxTableWriter::withExactNumbers(std::string_view xml, const std::function<double()>& next)
{
    std::string out;
    out.reserve(xml.size() + xml.size() / 8);
    std::size_t at = 0;
    for (;;) {
        const std::size_t cell = xml.find("<c ", at);
        const std::size_t tagEnd = cell == std::string_view::npos ? cell : xml.find('>', cell);
        if (tagEnd == std::string_view::npos)
            break;
        const std::string_view tag = xml.substr(cell, tagEnd - cell);
        const bool number = tag.back() != '/' && tag.find(" t=\"") == std::string_view::npos
                            && xml.substr(tagEnd + 1, 3) == "<v>";
        const std::size_t valueEnd = number ? xml.find("</v>", tagEnd) : std::string_view::npos;
        if (valueEnd == std::string_view::npos) {
            out.append(xml.data() + at, tagEnd + 1 - at);
            at = tagEnd + 1;
            continue;
        }
        out.append(xml.data() + at, tagEnd + 4 - at);
        CellText::appendNumber(next(), out);
        at = valueEnd;
    }
    out.append(xml.data() + at, xml.size() - at);
    return out;
}

// Each sheet's numbers again, to every digit, written into the finished package.
bool XlsxTableWriter::exactSheets(const QString& path, const std::vector<Column>& columns, std::size_t rows,
                                  int sheets, QString& error)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), 0, &code);
    if (!archive) {
        error = QStringLiteral("the workbook cannot be opened again");
        return false;
    }
    // libzip takes the new texts only as it closes the package.
    std::vector<std::string> texts(static_cast<std::size_t>(sheets));
    std::size_t row = 0;
    std::size_t column = 0;
    const auto next = [&]() {
        for (; row < rows; column = 0, ++row) {
            for (; column < columns.size(); ++column) {
                if (row < columns[column].count && isNumber(columns[column].values[row]))
                    return columns[column++].values[row];
            }
        }
        return 0.0;
    };
    bool replaced = true;
    try {
        for (int s = 0; s < sheets && replaced; ++s) {
            const std::string entry = "xl/worksheets/sheet" + std::to_string(s + 1) + ".xml";
            zip_stat_t stat;
            zip_stat_init(&stat);
            zip_file_t* file = nullptr;
            replaced = zip_stat(archive, entry.c_str(), 0, &stat) == 0 && stat.size < kLargestSheet
                       && (file = zip_fopen(archive, entry.c_str(), 0)) != nullptr;
            std::string xml(replaced ? std::size_t(stat.size) : 0, '\0');
            replaced = replaced && zip_fread(file, xml.data(), xml.size()) == zip_int64_t(xml.size());
            if (file)
                zip_fclose(file);
            if (!replaced)
                break;
            texts[std::size_t(s)] = withExactNumbers(xml, next);
            zip_source_t* source = zip_source_buffer(archive, texts[std::size_t(s)].data(), texts[std::size_t(s)].size(), 0);
            const zip_int64_t index = zip_name_locate(archive, entry.c_str(), 0);
            replaced = source && zip_file_replace(archive, zip_uint64_t(index), source, 0) == 0
                       && zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, kFastest) == 0;
            if (source && !replaced)
                zip_source_free(source);
        }
    } catch (const std::bad_alloc&) {
        replaced = false;
    }
    if (!replaced) {
        zip_discard(archive);
        error = QStringLiteral("the numbers cannot be written to every digit");
        return false;
    }
    if (zip_close(archive) != 0) {
        error = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        return false;
    }
    return true;
}
