#pragma once

#include "PartFormat.h"

#include <functional>

class BlockQueue;

// Workbooks: .xlsx, .ods and .xls. A sheet's cells become the lines of a text table and go
// through the table rules, so header names, a units row, the x column, text columns left out,
// gaps and dates read as they do in a text file, and the Import dialog's choices apply.
// A file named without a sheet reads its first one.
class WorkbookFormat : public PartFormat
{
public:
    enum class Kind { Xlsx, Ods, Xls };

    explicit WorkbookFormat(Kind kind);

    bool asksForParts() const override { return false; }
    bool parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const override;
    ImportedData read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                      const TableOptions& options) const override;
    bool tableText(const QString& path, const QString& part, std::size_t maxLines, std::string& text,
                   QString& reason) const override;

    // Registers a reader for each of the three suffixes.
    static void registerFormats();

private:
    bool sheetText(const QString& path, const QString& part, std::size_t maxLines, std::string& text, QString& reason,
                   const std::function<void(std::string&)>& sink) const;
    void writeLines(const QString& path, const QString& part, BlockQueue& lines) const;
    bool sheetNames(const QString& path, std::vector<std::string>& names, QString& reason) const;

    Kind kind;
};
