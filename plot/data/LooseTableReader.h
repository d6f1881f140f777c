#pragma once

#include "ImportedData.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the tables people write when the strict rules find no separator: '#' comment lines
// and blank lines anywhere, a header row naming the columns, columns of text (dates, names)
// left out, columns aligned with runs of blanks, and lines ending in a separator. Text
// columns become no curve; when the first column is one, x counts the rows.
class LooseTableReader
{
public:
    static ImportedData read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo);

private:
    struct Column {
        ImportedData::Column values;
        bool numeric = false;
        std::size_t unread = 0;
        QString title;
    };

    explicit LooseTableReader(std::string_view bytes);

    void run(bool fitToPowerOfTwo);
    void collectLines();
    bool chooseSeparator(std::string_view line);
    // The fields of a line, valid until the next call.
    const std::vector<std::string_view>& fields(std::string_view line) const;
    bool number(std::string_view field, double& value) const;
    bool isHeader(std::string_view first, std::string_view second) const;
    void takeHeader(std::string_view line);
    void readRow(std::string_view line);
    void buildCurves(bool fitToPowerOfTwo);
    void log(const QString& line) { data.log << line; }

    std::string_view bytes;
    std::vector<std::string_view> lines;
    std::string scratch;
    char separator = 0;
    bool autoX = false;
    std::vector<Column> columns;
    mutable std::vector<std::string_view> fieldBuffer;
    ImportedData data;
};
