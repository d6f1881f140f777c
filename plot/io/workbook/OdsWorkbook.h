#pragma once

#include "ZipArchive.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

// An OpenDocument spreadsheet (.ods): a ZIP package whose content part holds every sheet.
class OdsWorkbook
{
public:
    bool open(const QString& path, QString& reason);
    bool sheetNames(std::vector<std::string>& names, QString& reason) const;
    // Takes what it wants of the text made so far, as it grows.
    using Sink = std::function<void(std::string& text)>;

    // The sheet named `sheet`, the first one when it is empty, as the lines of a text table;
    // `sink` sees the text after every block of the sheet's XML.
    bool sheetText(const std::string& sheet, std::size_t maxLines, std::string& text, QString& reason,
                   const Sink& sink = Sink()) const;

private:
    ZipArchive archive;
};
