#pragma once

#include <cstddef>
#include <vector>

// The lowest and the highest point of every pixel column in [firstColumn, lastColumn], in any
// order of the points: what a column of sticks from one baseline shows, since every stick of
// the column lies within the two longest ones. Points outside the columns, and gaps (a NaN
// coordinate), are left out.
class ColumnExtremes
{
public:
    ColumnExtremes(int firstColumn, int lastColumn);

    void add(std::size_t index, double px, double py);
    // The kept indices, column by column; a column with one point keeps it once.
    std::vector<std::size_t> indices() const;

private:
    struct Column {
        std::size_t low = 0;
        std::size_t high = 0;
        double lowY = 0.0;
        double highY = 0.0;
        bool used = false;
    };

    int firstColumn;
    std::vector<Column> columns;
};
