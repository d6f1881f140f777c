#pragma once

#include "SheetXmlReader.h"
#include "ZipArchive.h"

#include <QString>

#include <string>
#include <vector>

// An Office Open XML workbook (.xlsx): a ZIP package whose workbook part names the sheets,
// with the string table and the cell styles they share.
class XlsxWorkbook
{
public:
    bool open(const QString& path, QString& reason);
    std::vector<std::string> sheetNames() const;
    // The sheet named `sheet`, the first one when it is empty, as the lines of a text table.
    bool sheetText(const std::string& sheet, std::size_t maxLines, std::string& text, QString& reason);

    // How a number format shows numbers: as dates (yyyy-mm-dd), times (hh:mm:ss) or numbers.
    static CellText::Shown shownBy(int formatId, const std::string& formatCode);

private:
    struct Sheet {
        std::string name;
        std::string entry;
    };

    bool readWorkbook(const std::string& entry, QString& reason);
    bool readStyles(const std::string& entry, QString& reason);
    bool readSharedStrings(const std::string& entry, QString& reason);

    ZipArchive archive;
    std::vector<Sheet> sheets;
    std::string sharedStringsEntry;
    std::string stylesEntry;
    SheetContext context;
    bool contextRead = false;
};
