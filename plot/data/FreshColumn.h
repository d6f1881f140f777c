#pragma once

#include <QVector>

// A column of n values that the caller fills, one value at a time, where they are made.
// QVector's resize writes zeros first: at millions of values that pass over fresh memory, and
// the page faults of it, cost as much as making the values. Throws std::bad_alloc where memory
// cannot hold it.
QVector<double> freshColumn(int n);
