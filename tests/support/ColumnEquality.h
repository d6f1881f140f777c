#pragma once

#include <QVector>

#include <algorithm>
#include <vector>

// Lets a test compare the columns a reader returns with the values it expects, written as a
// plain vector.
inline bool operator==(const QVector<double>& column, const std::vector<double>& expected)
{
    return std::equal(column.begin(), column.end(), expected.begin(), expected.end());
}
