#pragma once

#include <string>

// The benchmark table: 1,000,000 rows of three semicolon-separated columns whose values have
// 6 to 17 significant digits, some in exponent form (about 43 MB). Made once per process, always the same.
const std::string& bigTable();

// Writes the table to a file in the system's temporary folder once and returns its path.
const std::string& bigTableFile();

// The same table with 10,000,000 rows (about 430 MB), written straight to a file in the system's
// temporary folder once, without holding it in memory; returns its path.
constexpr int hugeTableRows = 10000000;
const std::string& hugeTableFile();
