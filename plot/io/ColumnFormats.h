#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The plain data files a curve leaves the program as, built in memory. Every number is written
// in the shortest form that reads back as the same double, so no digit of the data is lost.

// One column as a DIF file of CR LF lines: a header of one vector and count + 1 tuples, the
// title (quotes doubled) as the label tuple, then one numeric tuple per value, and "EOD".
// A NaN value is written as missing ("0,0" and "NA"), an infinite one as an error ("0,0" and
// "ERROR").
std::string difColumn(const std::string& title, const double* values, std::size_t count);

// One column as plain text: one value per CR LF line, then the line "EOD".
std::string textColumn(const double* values, std::size_t count);

struct TableCurve {
    const double* x;
    const double* y;
    std::size_t count;
};

// The curves side by side, LF lines without a header: x of the first curve, then every curve's
// y at that row. The first curve sets the number of rows; a shorter curve leaves its cells
// empty past its end.
std::string curveTable(const std::vector<TableCurve>& curves);
