#pragma once

#include <cstddef>
#include <string>

namespace Xls {

// Data rows a sheet holds below the title row.
constexpr std::size_t curveRowsPerSheet = 65535;

// Writes a curve as the "Excel" export does: sheet "SHEET 1" with the title (UTF-8) in A1
// and point i in row i+2 (x in column A, y in column B). A curve of more points than a sheet
// holds (65 535 data rows after the title row) continues on sheets "SHEET 2", "SHEET 3", …,
// each with the title in A1. Returns false when the file cannot be written; `sheets` gets
// the number of sheets used (0 when nothing was written).
//
// `path` is in the local 8-bit encoding. `x` and `y` hold `count` values each (either may be
// null when `count` is 0). An empty title leaves A1 empty. Never throws.
bool writeCurve(const std::string& path, const std::string& title, const double* x, const double* y,
                std::size_t count, int& sheets);

} // namespace Xls
