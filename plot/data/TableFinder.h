#pragma once

#include "FieldSplitter.h"
#include "TableOptions.h"
#include "TableShape.h"

#include <string>
#include <vector>

// Finds the table in the first lines of a file. The longest run of rows with the same number
// of fields under one separator, counting the rows and fields that hold numbers or dates, is
// the data; the text row right above it is the header, and a row of units between header and
// data goes into the names. Lines before the table are left out. Every choice the user made
// replaces the guess it names.
class TableFinder
{
public:
    // `lines` are the first lines of the file after any lines the user skipped.
    static TableShape find(const std::vector<std::string>& lines, const TableOptions& options);

private:
    struct Run {
        std::size_t first = 0; // positions in `content`
        std::size_t last = 0;
        std::size_t rows = 0;  // rows holding a number or date
        std::size_t values = 0;
        std::size_t fields = 0;
        bool beats(const Run& other) const;
    };

    TableFinder(const std::vector<std::string>& lines, const TableOptions& options);

    void markContent();
    void chooseSeparator();
    Run bestRun(TableField::Reading& reading);
    TableField::Kind kindOf(std::string_view field, TableField::Reading& reading) const;
    void findKinds(std::size_t from, std::size_t to);
    bool isTextRow(std::size_t line);
    bool holdsData(std::size_t line);
    bool hasText(std::size_t line);
    bool isUnitsRow(std::size_t line);
    void findHeader(const Run& run);
    void placeHeader(std::size_t position);
    void takeNames();
    void chooseColumns();
    bool columnOf(const QString& choice, int& column);
    void leaveOut(std::vector<int>& numeric);
    void logShape();

    const std::vector<std::string>& lines;
    const TableOptions& options;
    // The lines that are neither blank nor comments, as indices into `lines`.
    std::vector<std::size_t> content;
    bool autoX = false;
    FieldSplitter splitter;
    Run table;
    TableShape shape;
};
