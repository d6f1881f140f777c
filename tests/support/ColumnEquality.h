#pragma once

#include <QVector>

#include <algorithm>
#include <cmath>
#include <vector>

// Lets a test compare the columns a reader returns with the values it expects, written as a
// plain vector. A gap (NaN) equals a gap.
inline bool operator==(const QVector<double>& column, const std::vector<double>& expected)
{
    return std::equal(column.begin(), column.end(), expected.begin(), expected.end(),
                      [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); });
}
