#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Writes columns of numbers as an Office Open XML workbook (.xlsx) through libxlsxwriter: a
// header row of names, then one row per value. A sheet holds 1,048,576 rows; the values past
// a sheet's last row continue on the next sheet, under the same header. Gaps are empty cells;
// infinities, which a sheet cannot hold as numbers, are the texts "inf" and "-inf".
class XlsxTableWriter
{
public:
    static constexpr std::size_t kSheetRows = 1048576;

    struct Column {
        std::string name;
        const double* values;
        // A column shorter than the table leaves its cells empty past its end.
        std::size_t count;
    };

    // Writes `rows` rows into the file at `path`, at most `sheetRows` rows to a sheet, the
    // header's included; false with the reason otherwise.
    static bool write(const QString& path, const std::vector<Column>& columns, std::size_t rows, QString& error,
                      std::size_t sheetRows = kSheetRows);
    // The library writes numbers to sixteen digits, one short of what brings every double back
    // as itself: the sheet's number cells, in order, get the shortest exact text of the values
    // `next` gives.
    static std::string withExactNumbers(std::string_view xml, const std::function<double()>& next);

private:
    static bool exactSheets(const QString& path, const std::vector<Column>& columns, std::size_t rows, int sheets,
                            QString& error);
};
