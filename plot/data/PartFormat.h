#pragma once

#include "ImportedData.h"
#include "TableOptions.h"

#include <QString>

#include <string>
#include <vector>

// One part of a file that holds several: a sheet of a workbook, a dataset of an HDF5 file, a
// variable of a MATLAB or netCDF file.
struct DataPart {
    // As a selection names it: "Sheet1", "/group/data", "temp".
    QString name;
    // Its size as the picker shows it, such as "1000" or "1000 × 3".
    QString shape;
    // Read when nobody chooses: the 1-D and 2-D numeric sets of the root group.
    bool byDefault = false;
};

// A kind of file whose data lie in named parts. Its reader lives with the library that reads
// such files and is registered with the import table at start-up.
class PartFormat
{
public:
    virtual ~PartFormat() = default;

    // Whether a file named without a part asks which parts to read; a workbook reads its
    // first sheet instead.
    virtual bool asksForParts() const = 0;
    // The parts that can be drawn, in the file's order; false with the reason when the file
    // cannot be read. No parts and no reason: the file is read whole (a sound file that
    // carries the same suffix).
    virtual bool parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const = 0;
    // One part, or the file's first or only one when `part` is empty.
    virtual ImportedData read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                              const TableOptions& options) const = 0;
    // The part's first `maxLines` rows as the lines of a text table, TAB between the fields,
    // which the Import dialog shows; false with the reason where the format has no such table.
    virtual bool tableText(const QString& path, const QString& part, std::size_t maxLines, std::string& text,
                           QString& reason) const
    {
        Q_UNUSED(part);
        Q_UNUSED(maxLines);
        Q_UNUSED(text);
        reason = QStringLiteral("Kurvo: %1 holds no table").arg(path);
        return false;
    }
};
