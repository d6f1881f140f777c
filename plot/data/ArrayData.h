#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// What the array reader makes of an array data file: the curve of row 0 (x = 0, 1, ...), its
// title, the y range (which always holds 0), the log lines in order and the closing summary
// line. No points means there is nothing to plot.
struct ArrayData {
    QString title;
    std::vector<double> x;
    std::vector<double> y;
    double yMin = 0.0;
    double yMax = 0.0;
    QStringList log;
    QString summary;
};
