#pragma once

#include "ImportedData.h"
#include "ByteLines.h"

#include <string_view>

// Reads an array data file: a "$VX_ARRAY" line, a header of "#KEYWORD,value" lines up to
// "#END", then comma-separated rows of a leading label and COLS values. Only row 0 is kept;
// the header's counts are checked against the rows the file really holds.
class ArrayFileReader
{
public:
    // One curve titled after `name` or the file's "#TITLE", drawn as sticks.
    static ImportedData read(std::string_view bytes, const QString& name);

private:
    ArrayFileReader(std::string_view bytes, const QString& name);

    void run();
    void readHeader();
    void readHeaderLine(std::string_view line);
    void readRows();
    void keepFirstRow(std::string_view line);
    void buildCurve();
    void log(const QString& line) { data.log << line; }

    ByteLines lines;
    int rowCount = -1;
    int columnCount = -1;
    int start = 0;
    int length = -1;
    long long rowsExpected = 0;
    int rowsRead = 0;
    long long widestRow = 0;
    ImportedData::Column firstRow;
    ImportedData data;
};
