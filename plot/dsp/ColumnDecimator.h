#pragma once

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

// Thins a line of many more points than pixel columns. Fed the points of a line in their
// order, it keeps the first, lowest, highest and last point of every run of consecutive points
// that fall into one pixel column: a line through the kept points lights exactly the pixels the
// whole line lights, whatever the order of x. A line that never steps back in x is one run per
// column; one that jumps back and forth costs a run per change of column.
//
// Points left of `firstColumn` count as one column, and so do those right of `lastColumn`:
// the lines between them never reach the view in between, so a zoomed view keeps only the
// points where the line leaves and enters it. A point with a NaN coordinate is a gap in the
// line: it is kept, and the runs on either side of it stay apart.
class ColumnDecimator
{
public:
    ColumnDecimator() = default;
    ColumnDecimator(double firstColumn, double lastColumn);

    void add(std::size_t index, double px, double py)
    {
        const double c = columnOf(px, py);
        if (open && c == column) {
            if (py < low.py)
                low = {index, py};
            if (py > high.py)
                high = {index, py};
            last = {index, py};
            return;
        }
        start(index, c, py);
    }
    // The kept indices in the order of the line; the decimator starts afresh afterwards.
    std::vector<std::size_t> finish();
    // The column a point falls into by its x alone; NaN for a NaN.
    double columnOf(double px) const { return columnOf(px, 0.0); }

private:
    struct Kept {
        std::size_t index;
        double py;
    };
    // A NaN pixel, in x or in y, is a column of its own, equal to no other.
    double columnOf(double px, double py) const
    {
        if (std::isnan(py))
            return py;
        if (px < lowest)
            return lowest - 1.0;
        if (px >= beyond)
            return beyond;
        return std::floor(px);
    }
    void start(std::size_t index, double c, double py);
    void flush();

    double lowest = -std::numeric_limits<double>::infinity();
    double beyond = std::numeric_limits<double>::infinity();
    std::vector<std::size_t> kept;
    bool open = false;
    double column = 0.0;
    Kept first{}, low{}, high{}, last{};
};
