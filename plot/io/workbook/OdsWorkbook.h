#pragma once

#include "ZipArchive.h"

#include <QString>

#include <string>
#include <vector>

// An OpenDocument spreadsheet (.ods): a ZIP package whose content part holds every sheet.
class OdsWorkbook
{
public:
    bool open(const QString& path, QString& reason);
    bool sheetNames(std::vector<std::string>& names, QString& reason) const;
    // The sheet named `sheet`, the first one when it is empty, as the lines of a text table.
    bool sheetText(const std::string& sheet, std::size_t maxLines, std::string& text, QString& reason) const;

private:
    ZipArchive archive;
};
