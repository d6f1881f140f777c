#pragma once

#include "TableField.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

// How a text table lies in its file, as found from its first lines and the user's choices:
// where the data start, how their fields are split and read, what each column holds, and
// which columns become x and the curves.
struct TableShape {
    static constexpr int kRowNumbers = -1;
    static constexpr int kNone = -1;

    // The field separator; 0 when the file holds no table.
    char separator = 0;
    TableField::Reading reading;
    // Lines are counted from 0 among the lines looked at, the skipped ones included.
    std::size_t firstDataLine = 0;
    int headerLine = kNone;
    int unitsLine = kNone;
    // What the data rows hold, column by column: Number, Date, or Text (left out).
    std::vector<TableField::Kind> kinds;
    // Names from the header, with the units row's entry as "name [unit]"; empty without.
    QStringList names;
    // The header's names as written, without units.
    QStringList plainNames;
    // The x column, or kRowNumbers when x counts the data rows from 0.
    int xColumn = kRowNumbers;
    // The columns drawn as curves, in order.
    std::vector<int> curves;
    // Lines of text before the table.
    std::size_t linesBefore = 0;
    // What was decided, for the log.
    QStringList log;
    // Why nothing can be read; empty when the shape is usable.
    QString problem;

    bool xIsTime() const
    {
        return xColumn >= 0 && std::size_t(xColumn) < kinds.size() && kinds[std::size_t(xColumn)] == TableField::Kind::Date;
    }
};
