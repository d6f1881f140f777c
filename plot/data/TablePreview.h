#pragma once

#include "TableOptions.h"
#include "TableShape.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// What the Import dialog shows of a text table before it is read: the shape the rules find
// with the user's choices, and the table's first rows cut into fields.
class PartFormat;
struct DataSource;

struct TablePreview {
    static constexpr std::size_t kRows = 100;

    TableShape shape;
    // The data rows from the table's first one on, as many fields as the table has columns.
    std::vector<QStringList> rows;
    // Why the file gives no preview; empty when it does.
    QString problem;

    // Reads the first lines of the file at `path`.
    static TablePreview ofFile(const QString& path, const TableOptions& options);
    // The cells of a workbook's sheet, which the format gives as a text table.
    static TablePreview ofPart(const PartFormat& format, const DataSource& source, const TableOptions& options);
    // `lines` are the file's first lines after those the user skipped.
    static TablePreview ofLines(const std::vector<std::string>& lines, const TableOptions& options);
};
