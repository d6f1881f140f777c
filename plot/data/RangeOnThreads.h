#pragma once

#include "DataRange.h"

#include <QVector>

#include <vector>

// The range of a table's x and y columns, found a piece at a time on up to `threads` threads
// and united in the order of the values, which gives the very limits one scan gives.
DataRange rangeOnThreads(const QVector<double>& x, const std::vector<QVector<double>>& y, unsigned threads);
