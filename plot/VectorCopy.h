#pragma once

#include <QVector>

#include <vector>

// The numerics work on std::vector and the curves share QVector: copies between the two.
inline QVector<double> qVectorOf(const std::vector<double>& values)
{
    return QVector<double>(values.begin(), values.end());
}

inline std::vector<double> stdVectorOf(const QVector<double>& values)
{
    return std::vector<double>(values.begin(), values.end());
}
