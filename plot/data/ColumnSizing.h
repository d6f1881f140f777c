#pragma once

#include <QVector>

#include <cstddef>

class LineSource;

// How large the readers make their columns, and how large a script's arrays are made.

// Sets a column's length to n. Growing, it takes the memory of n values, where a plain resize
// rounds the allocation up to the next power of two.
void resizeExactly(QVector<double>& column, int n);

// The rows still to come if they run about as long as `rowLength` bytes, with a little to
// spare, and never more than a curve holds.
std::size_t rowsLike(const LineSource& lines, std::size_t rowLength);

// Reserves room for `rows` values. It is a guess, so a reservation memory cannot hold is no
// error: the column is left to grow as it goes.
void reserveGuess(QVector<double>& column, std::size_t rows);
