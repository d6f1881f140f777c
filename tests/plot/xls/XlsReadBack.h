#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// What python3-olefile and python3-xlrd read from a file, through xls_dump.py.
struct ReadCell {
    int row = 0;
    int column = 0;
    bool isText = false;
    double number = 0.0;
    std::string text;  // UTF-8
    std::string error; // of an error cell, such as "#NUM!"; else empty
};

struct ReadSheet {
    std::string name; // UTF-8
    int rows = 0;
    int columns = 0;
    std::vector<ReadCell> cells; // non-empty cells, row by row
};

struct ReadBook {
    std::map<std::string, std::size_t> streams; // name → size
    std::vector<ReadSheet> sheets;
};

// The interpreter that has both modules, or "" with the reason in `why`.
std::string pythonWithReaders(std::string& why);
// Reads `path` with the readers; false with the readers' complaint in `error`.
bool readBack(const std::string& python, const std::string& path, ReadBook& book, std::string& error);

// Skips the test when no interpreter has the readers; else sets `python`.
#define REQUIRE_PYTHON_READERS(python)                                                                   \
    do {                                                                                                 \
        std::string why_;                                                                                \
        python = pythonWithReaders(why_);                                                                \
        if (python.empty())                                                                              \
            GTEST_SKIP() << why_;                                                                        \
    } while (false)
