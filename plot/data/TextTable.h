#pragma once

#include "DataRange.h"

#include <QStringList>

#include <vector>

// What the text reader makes of a table: one x column, one y column per curve, all of the same
// length, the data range over them, and the log lines in the order they arose. No y column
// means there is nothing to plot.
struct TextTable {
    std::vector<double> x;
    std::vector<std::vector<double>> y;
    DataRange range;
    QStringList log;
};
