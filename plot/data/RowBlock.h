#pragma once

#include "ImportedData.h"

#include <cstddef>
#include <vector>

// What the rows of one block of a table came to, in the order of its reader's columns.
struct RowBlock {
    std::vector<ImportedData::Column> columns;
    std::size_t rows = 0;
    std::size_t gaps = 0;
    // Lines that held nothing but text where the data hold values: no rows.
    std::size_t textRows = 0;
    // Whether reading stopped at a row past the allowance.
    bool cut = false;
};
