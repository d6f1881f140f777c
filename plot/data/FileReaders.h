#pragma once

#include "ImportedData.h"
#include "TableOptions.h"

// The readers of whole data files, one per kind of file. A file that cannot be read gives
// nothing to plot and a log line that says so.
ImportedData readTextFile(const QString& path, const QString& name, bool fitToPowerOfTwo);
// A text table read with the user's choices; without any, the same as readTextFile.
ImportedData readTextTable(const QString& path, const QString& name, bool fitToPowerOfTwo,
                           const TableOptions& options);
// Array files have a length of their own; the power-of-two choice does not apply to them.
ImportedData readArrayFile(const QString& path, const QString& name, bool fitToPowerOfTwo);
