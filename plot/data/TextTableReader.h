#pragma once

#include "ByteLines.h"
#include "ImportedData.h"

#include <array>
#include <string>
#include <string_view>

// Reads a text, CSV or DAT table: an optional "$AUTOXSCALE" line or "//" comment lines, then
// rows of up to 16 numeric fields split at the separator that the first data line accepts.
class TextTableReader
{
public:
    static constexpr int kMaxFields = 16;

    // The curves are titled after `name`.
    static ImportedData read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo);

private:
    explicit TextTableReader(std::string_view bytes);

    void run(bool fitToPowerOfTwo);
    std::string_view trimmed(std::string_view line);
    std::string_view firstDataLine();
    bool detectSeparator(std::string_view line);
    bool tryFields(std::string_view line, char candidate);
    bool addPlainRow(std::string_view line);
    bool plainNumber(const char*& p, const char* end, double& value) const;
    void takeBack(int fields);
    void addRow(std::string_view line);
    void readRows();
    void buildTable(bool fitToPowerOfTwo);
    void log(const QString& line) { table.log << line; }

    ByteLines lines;
    std::string scratch;
    bool autoX = false;
    char separator = 0;
    int fieldCount = 0;
    std::array<double, kMaxFields> firstValues{};
    std::vector<std::vector<double>> columns;
    std::size_t rows = 0;
    ImportedData table;
};
