#pragma once

#include "ImportFormats.h"
#include "PartFormat.h"

// MATLAB files of levels 4, 5 and 7.3, through matio: the numeric vectors and matrices are a
// file's parts, named by their variable. A vector is one curve over its index; an m × n
// matrix is x (its first column) and n − 1 curves. The sound library writes its own .mat
// files (the variables samplerate and wavedata): those, and the .mat files matio does not
// read, go to the audio reader.
class MatlabFormat : public PartFormat
{
public:
    // `soundReader` reads the .mat files that are sound. matio's messages go to nobody.
    explicit MatlabFormat(FileReader soundReader);

    bool asksForParts() const override { return true; }
    bool parts(const QString& path, std::vector<DataPart>& parts, QString& reason) const override;
    ImportedData read(const QString& path, const QString& part, const QString& name, bool fitToPowerOfTwo,
                      const TableOptions& options) const override;

private:
    FileReader soundReader;
};
