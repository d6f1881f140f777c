#pragma once

#include "SheetXmlReader.h"
#include "ZipArchive.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

// An Office Open XML workbook (.xlsx): a ZIP package whose workbook part names the sheets,
// with the string table and the cell styles they share.
class XlsxWorkbook
{
public:
    bool open(const QString& path, QString& reason);
    std::vector<std::string> sheetNames() const;
    // Takes what it wants of the text made so far, as it grows.
    using Sink = std::function<void(std::string& text)>;

    // The sheet named `sheet`, the first one when it is empty, as the lines of a text table;
    // `sink` sees the text after every block of the sheet's XML.
    bool sheetText(const std::string& sheet, std::size_t maxLines, std::string& text, QString& reason,
                   const Sink& sink = Sink());

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
