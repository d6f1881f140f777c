#pragma once

#include <QString>

#include <string>
#include <vector>

// A workbook of the older binary format (.xls), read through FreeXL, which hands out each
// cell as an integer, a double, text, or a date or time already written as text.
class XlsWorkbook
{
public:
    XlsWorkbook();
    ~XlsWorkbook();
    XlsWorkbook(const XlsWorkbook&) = delete;
    XlsWorkbook& operator=(const XlsWorkbook&) = delete;

    bool open(const QString& path, QString& reason);
    const std::vector<std::string>& sheetNames() const { return names; }
    // The sheet named `sheet`, the first one when it is empty, as the lines of a text table.
    bool sheetText(const std::string& sheet, std::size_t maxLines, std::string& text, QString& reason);

private:
    void appendCell(unsigned int row, unsigned short column, std::string& line);

    const void* handle = nullptr;
    std::vector<std::string> names;
};
