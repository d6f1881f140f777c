#pragma once

#include "PartFormat.h"

// netCDF files (classic and netCDF-4), through the library's C interface: the numeric 1-D and
// 2-D variables of the root group are a file's parts. A 1-D variable is drawn over its
// coordinate variable (the variable named as its dimension) where there is one, else over
// its index; a 2-D variable of n columns is x and n − 1 curves. Curves are named after the
// variable with its `units`; values equal to its _FillValue or missing_value are gaps, and
// packed values are unpacked with scale_factor and add_offset.
class NetcdfFormat : public PartFormat
{
public:
    bool asksForParts() const override { return true; }
    bool parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const override;
    ImportedData read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                      const TableOptions& options) const override;
};
