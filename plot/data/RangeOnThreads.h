#pragma once

#include "DataRange.h"
#include "ImportedData.h"

#include <QVector>

#include <vector>

// The range of a table's x and y columns, found a piece at a time on up to `threads` threads
// and united in the order of the values, which gives the very limits one scan gives.
DataRange rangeOnThreads(const QVector<double>& x, const std::vector<QVector<double>>& y, unsigned threads);

// The range of a table read: its columns on up to `threads` threads, and x that steps evenly
// from its first to its last row.
DataRange rangeOfTable(const ImportedData& table, unsigned threads);
