#pragma once

#include "PartFormat.h"

// HDF5 files, through the library's C interface: a file's 1-D and 2-D numeric datasets are
// its parts, named by their path ("/group/dataset"). A 1-D dataset is one curve over its
// index, or over the dimension scale attached to it; a 2-D dataset of n columns is x and
// n − 1 curves. Curves are named after the dataset, with its `units` attribute.
class Hdf5Format : public PartFormat
{
public:
    // Silences the library's own error printer, which would write every refusal to the
    // terminal as well.
    Hdf5Format();

    bool asksForParts() const override { return true; }
    bool parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const override;
    ImportedData read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                      const TableOptions& options) const override;
};
