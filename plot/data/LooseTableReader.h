#pragma once

#include "BlockPlan.h"
#include "FieldSplitter.h"
#include "ImportedData.h"
#include "LineSource.h"
#include "PointLimit.h"
#include "RowBlock.h"
#include "TableOptions.h"
#include "TableShape.h"

#include <string>
#include <string_view>
#include <vector>

class BlockSource;

// Reads the tables people write: found in their file below any title, description or
// settings (TableFinder), with a header and a units row naming the curves, '#' comment lines
// and blank lines anywhere, columns of text left out, dates and times as x, and missing
// values as gaps (NaN). The user's choices replace the guesses they name.
//
// The table's shape is found from its first lines; the rest is read a line at a time, so a
// file may come a block at a time, and only the columns drawn are stored. The rows of a large
// table may be read in blocks on several threads, with the same rules.
class LooseTableReader
{
public:
    // Enough lines to see past a long description to the table, and a sample of its rows.
    static constexpr std::size_t kShapeLines = 1000;

    static ImportedData read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo,
                             const TableOptions& options = {});
    // Where `blocks` holds the text `lines` split, the rows of a large table are read from it
    // in blocks on the threads `plan` gives.
    static ImportedData read(LineSource& lines, const QString& name, bool fitToPowerOfTwo,
                             const TableOptions& options = {}, const BlockSource* blocks = nullptr,
                             const BlockPlan& plan = {});
    // The lines the shape is found from, after those the user skipped: at most `limit`, and
    // no more than a few MiB. `lines` should split lines as LooseLines does.
    static std::vector<std::string> firstLines(LineSource& lines, const TableOptions& options, std::size_t limit);

private:
    LooseTableReader(LineSource& lines, const TableOptions& options);

    void run(bool fitToPowerOfTwo);
    void prepareColumns(std::size_t guess);
    void readBlocks(std::size_t rowLength);
    RowBlock readBlock(std::string_view block, std::size_t allowance, std::size_t rowLength) const;
    void readRow(std::string_view line);
    void buildCurves(bool fitToPowerOfTwo);
    void log(const QString& line) { data.log << line; }

    LineSource& lines;
    const TableOptions& options;
    // The lines as split at line ends only, under `lines`, and the text they split, for the
    // rows to be read in blocks.
    const LineSource* unsplit = nullptr;
    const BlockSource* blocks = nullptr;
    BlockPlan plan;
    TableShape shape;
    FieldSplitter splitter;
    // The columns read, x first where a column holds it, and which column each one reads.
    std::vector<ImportedData::Column> columns;
    std::vector<int> sources;
    std::vector<double> row;
    std::size_t rows = 0;
    std::size_t gaps = 0;
    std::size_t textRows = 0;
    std::size_t rowLimit = kMaxCurvePoints;
    bool inBlocks = false;
    bool tooManyRows = false;
    ImportedData data;
};
