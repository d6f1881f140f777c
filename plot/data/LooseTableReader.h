#pragma once

#include "ImportedData.h"
#include "LineSource.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the tables people write when the strict rules find no separator: '#' comment lines
// and blank lines anywhere, a header row naming the columns, columns of text (dates, names)
// left out, columns aligned with runs of blanks, and lines ending in a separator. Text
// columns become no curve; when the first column is one, x counts the rows.
//
// The table is read in one pass over its lines, which may come from a file a block at a time:
// only its first two lines are kept while the rest is read.
class LooseTableReader
{
public:
    static ImportedData read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo);
    static ImportedData read(LineSource& lines, const QString& name, bool fitToPowerOfTwo);

private:
    struct Column {
        ImportedData::Column values;
        bool numeric = false;
        std::size_t unread = 0;
        QString title;
    };

    explicit LooseTableReader(LineSource& lines);

    void run(bool fitToPowerOfTwo);
    bool nextRow(std::string_view& row);
    void readRows();
    bool chooseSeparator(std::string_view line);
    // The fields of a line, valid until the next call.
    const std::vector<std::string_view>& fields(std::string_view line) const;
    bool number(std::string_view field, double& value) const;
    bool isHeader(std::string_view first, std::string_view second) const;
    void takeHeader(std::string_view line);
    void readRow(std::string_view line);
    void buildCurves(bool fitToPowerOfTwo);
    void log(const QString& line) { data.log << line; }

    LineSource& lines;
    char separator = 0;
    bool autoX = false;
    bool sawData = false;
    bool tooManyRows = false;
    std::vector<Column> columns;
    mutable std::vector<std::string_view> fieldBuffer;
    ImportedData data;
};
