#pragma once

#include "BlockPlan.h"
#include "ImportedData.h"
#include "LineSource.h"
#include "RowBlock.h"
#include "TableOptions.h"

#include <array>
#include <string>
#include <string_view>

class BlockSource;

// Reads a text, CSV or DAT table: an optional "$AUTOXSCALE" line or "//" comment lines, then
// rows of up to 16 numeric fields split at the separator that the first data line accepts.
class TextTableReader
{
public:
    static constexpr int kMaxFields = 16;

    // The curves are titled after `name`. Where the strict rules find nothing to draw, the
    // table is read again the way people write tables.
    static ImportedData read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo);
    // With the user's choices the second reading alone reads the table.
    static ImportedData read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo,
                             const TableOptions& options);
    // The same reading, with the rows of a large table read on the threads `plan` gives.
    static ImportedData read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo,
                             const TableOptions& options, const BlockPlan& plan);
    // The strict rules alone, over lines from anywhere. Where `blocks` holds the text the
    // lines split, the rows of a large table are read from it in blocks on the threads
    // `plan` gives.
    static ImportedData readStrict(LineSource& lines, const QString& name, bool fitToPowerOfTwo,
                                   const BlockSource* blocks = nullptr, const BlockPlan& plan = {});
    // A strict reading that found nothing to draw gives way to the second reading, over the
    // same lines read again; one that did stands.
    static ImportedData orLoose(ImportedData strict, LineSource& again, const QString& name, bool fitToPowerOfTwo,
                                const BlockSource* blocks = nullptr, const BlockPlan& plan = {});

private:
    explicit TextTableReader(LineSource& lines, const BlockSource* blocks = nullptr, const BlockPlan& plan = {});

    void run(bool fitToPowerOfTwo);
    void readBlocks(std::size_t rowLength);
    RowBlock readBlock(std::string_view block, std::size_t allowance, std::size_t rowLength) const;
    std::string_view trimmed(std::string_view line);
    std::string_view firstDataLine();
    bool detectSeparator(std::string_view line);
    bool tryFields(std::string_view line, char candidate);
    bool addPlainRow(std::string_view line);
    bool plainNumber(const char*& p, const char* end, double& value) const;
    void takeBack(int fields);
    void addRow(std::string_view line);
    void readRows(std::size_t limit);
    void buildTable(bool fitToPowerOfTwo);
    void log(const QString& line) { table.log << line; }

    LineSource& lines;
    const BlockSource* blocks;
    BlockPlan plan;
    std::string scratch;
    bool autoX = false;
    char separator = 0;
    int fieldCount = 0;
    std::array<double, kMaxFields> firstValues{};
    std::vector<ImportedData::Column> columns;
    std::size_t rows = 0;
    std::size_t gaps = 0;
    bool inBlocks = false;
    // Whether the rows stopped at the most a curve holds.
    bool cut = false;
    ImportedData table;
};
