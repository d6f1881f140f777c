#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <vector>

// A curve to save: views of its arrays, which stay the curve's own. x and y point to `count`
// values each (either may be null when `count` is 0).
struct UndoCurveView {
    int id;
    const double* x;
    const double* y;
    std::uint64_t count;
};

// A curve read back.
struct UndoCurve {
    int id = 0;
    std::vector<double> x;
    std::vector<double> y;
};

// The samples of every curve of a plot, saved before a transformation of the whole plot and
// read back on Undo. The file belongs to the running plot widget alone, so the layout is free
// to be the simplest that keeps curves of different lengths whole.
//
// All integers and doubles are little-endian, whatever the host:
//
//   offset  size  type        content
//   0       4     char[4]     tag "KUND"
//   4       4     uint32      layout version, 1
//   8       8     uint64      number of curves C
//   16      …     record[C]   the curves, one after the other
//
// Each curve record, offsets from its start, n being its point count:
//
//   offset  size  type        content
//   0       4     int32       the curve's identifier, two's complement
//   4       8     uint64      point count n
//   12      8·n   float64[n]  x, IEEE 754 binary64 bit patterns
//   12+8·n  8·n   float64[n]  y, likewise
//
// Doubles are stored as their bit patterns, so NaN, −0 and infinities come back as saved.
//
// The file ends where the last record ends.
class UndoFile
{
public:
    // False when the stream fails at any point.
    static bool write(std::ostream& out, const std::vector<UndoCurveView>& curves);

    // All or nothing: on a bad tag, a short read, a count beyond the bytes the stream still
    // holds or bytes after the last curve, returns false and leaves `curves` empty. Counts are
    // checked against the bytes left before anything is allocated, so a corrupt count cannot
    // make it allocate gigabytes; that needs a stream that can tell its size (a file, a string
    // stream). Never throws.
    static bool read(std::istream& in, std::vector<UndoCurve>& curves);
};
