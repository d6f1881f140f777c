#pragma once

#include <QString>
#include <QStringList>

// What a user chose about how a text table is read, where the automatic rules guess wrong.
// Every choice left at its default is found from the file.
struct TableOptions {
    enum class DecimalMark { Automatic, Point, Comma };

    // The column of x: empty to find it, "none" to count the rows from 0, a 1-based number
    // or a header name.
    QString xColumn;
    // The columns drawn, in this order: numbers or header names; empty to draw every column
    // of numbers.
    QStringList columns;
    // The field separator; 0 to find it. A blank stands for runs of blanks and TABs.
    char separator = 0;
    DecimalMark decimal = DecimalMark::Automatic;
    // Lines before the table; -1 to find the table.
    int skip = -1;
    // The header's line after the skipped ones, from 1; 0 for none; -1 to find it.
    int header = -1;
    // Whether a row of units below the header is taken into the names; declined, it is still
    // no data.
    bool unitsRow = true;

    // The same choices for the cells of a sheet, which come as lines of TAB-separated fields.
    TableOptions forCells() const
    {
        TableOptions cells = *this;
        cells.separator = '\t';
        return cells;
    }

    bool automatic() const
    {
        return xColumn.isEmpty() && columns.isEmpty() && separator == 0 && decimal == DecimalMark::Automatic
               && skip < 0 && header < 0 && unitsRow;
    }
};
