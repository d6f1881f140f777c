#include "LooseTableReader.h"

#include "BlockSource.h"
#include "ByteLines.h"
#include "ColumnSizing.h"
#include "LooseLines.h"
#include "PointLimit.h"
#include "PowerOfTwo.h"
#include "RangeOnThreads.h"
#include "RowBlocks.h"
#include "TableFinder.h"

#include <algorithm>
#include <cmath>

namespace {

const std::size_t kShapeBytes = std::size_t(4) << 20;

} // namespace

ImportedData LooseTableReader::read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo,
                                    const TableOptions& options)
{
    ByteLines lines(bytes);
    return read(lines, name, fitToPowerOfTwo, options);
}

ImportedData LooseTableReader::read(LineSource& lines, const QString& name, bool fitToPowerOfTwo,
                                    const TableOptions& options, const BlockSource* blocks, const BlockPlan& plan)
{
    LooseLines loose(lines);
    LooseTableReader reader(loose, options);
    reader.unsplit = &lines;
    reader.blocks = blocks;
    reader.plan = plan;
    reader.data.title = name;
    reader.run(fitToPowerOfTwo);
    return std::move(reader.data);
}

std::vector<std::string> LooseTableReader::firstLines(LineSource& lines, const TableOptions& options,
                                                      std::size_t limit)
{
    for (int i = 0; i < options.skip && !lines.atEnd(); ++i)
        lines.next();
    std::vector<std::string> first;
    std::size_t bytes = 0;
    while (first.size() < limit && bytes < kShapeBytes && !lines.atEnd()) {
        first.emplace_back(lines.next());
        bytes += first.back().size() + 1;
    }
    return first;
}

LooseTableReader::LooseTableReader(LineSource& lines, const TableOptions& options)
    : lines(lines)
    , options(options)
{
}

void LooseTableReader::run(bool fitToPowerOfTwo)
{
    const std::vector<std::string> first =
        firstLines(lines, options, std::max<std::size_t>(kShapeLines, std::size_t(std::max(options.header, 0)) + 100));
    shape = TableFinder::find(first, options);
    data.log << shape.log;
    if (!shape.problem.isEmpty()) {
        log(shape.problem);
        return;
    }
    data.curveTitles.clear();
    splitter = FieldSplitter(shape.separator);
    const std::size_t rowLength = first[shape.firstDataLine].size();
    inBlocks = blocks && plan.parallel(unsplit->bytesLeft());
    prepareColumns(inBlocks ? first.size() - shape.firstDataLine : rowsLike(lines, rowLength));
    for (std::size_t i = shape.firstDataLine; i < first.size() && !tooManyRows; ++i)
        readRow(first[i]);
    if (inBlocks) {
        readBlocks(rowLength);
    } else {
        while (!lines.atEnd() && !tooManyRows)
            readRow(lines.next());
    }
    buildCurves(fitToPowerOfTwo);
}

// Only the columns drawn are stored; text columns cost nothing.
void LooseTableReader::prepareColumns(std::size_t guess)
{
    if (shape.xColumn != TableShape::kRowNumbers)
        sources.push_back(shape.xColumn);
    sources.insert(sources.end(), shape.curves.begin(), shape.curves.end());
    columns.resize(sources.size());
    row.resize(sources.size());
    for (ImportedData::Column& column : columns)
        reserveGuess(column, guess);
}

// The rows after the lines that decided the table's shape are read in blocks on as many
// threads. Blocks begin at line ends, so the rest of a line split further at a CR or a form
// feed is read here first; what is left of it after its last such end is an empty line,
// which is no row.
void LooseTableReader::readBlocks(std::size_t rowLength)
{
    while (lines.bytesLeft() > unsplit->bytesLeft() && !tooManyRows)
        readRow(lines.next());
    if (tooManyRows)
        return;
    const std::size_t from = blocks->size() - std::min(unsplit->bytesLeft(), blocks->size());
    const RowBlock counts = RowBlocks::read(
        *blocks, from, plan, rowLimit - rows, rows + rowsLike(*unsplit, rowLength),
        [&](std::string_view block, std::size_t allowance) { return readBlock(block, allowance, rowLength); },
        columns);
    rows += counts.rows;
    gaps += counts.gaps;
    textRows += counts.textRows;
    tooManyRows = counts.cut;
}

RowBlock LooseTableReader::readBlock(std::string_view block, std::size_t allowance, std::size_t rowLength) const
{
    ByteLines blockBytes(block);
    LooseLines blockLines(blockBytes);
    LooseTableReader reader(blockLines, options);
    reader.shape = shape;
    reader.splitter = splitter;
    reader.rowLimit = allowance;
    reader.prepareColumns(std::min(rowsLike(blockLines, rowLength), allowance));
    while (!blockLines.atEnd() && !reader.tooManyRows)
        reader.readRow(blockLines.next());
    RowBlock read;
    read.columns = std::move(reader.columns);
    read.rows = reader.rows;
    read.gaps = reader.gaps;
    read.textRows = reader.textRows;
    read.cut = reader.tooManyRows;
    return read;
}

// Fields that hold no value are gaps; a row with nothing but text where the data hold values
// (a repeated header, a footer) is no row.
void LooseTableReader::readRow(std::string_view line)
{
    if (FieldSplitter::isNoRow(line))
        return;
    const std::vector<std::string_view>& fields = splitter.split(line);
    std::size_t values = 0;
    std::size_t unreadable = 0;
    for (std::size_t k = 0; k < sources.size(); ++k) {
        const std::size_t j = std::size_t(sources[k]);
        const std::string_view field = j < fields.size() ? fields[j] : std::string_view();
        const bool date = shape.kinds[j] == TableField::Kind::Date;
        row[k] = date ? TableField::date(field, shape.reading) : TableField::number(field, shape.reading);
        const bool gap = std::isnan(row[k]);
        values += gap ? 0 : 1;
        unreadable += gap && !TableField::isMissing(field) ? 1 : 0;
    }
    if (values == 0 && unreadable > 0) {
        ++textRows;
        return;
    }
    if (rows == rowLimit) {
        tooManyRows = true;
        return;
    }
    gaps += sources.size() - values;
    for (std::size_t k = 0; k < sources.size(); ++k)
        columns[k].push_back(row[k]);
    ++rows;
}

void LooseTableReader::buildCurves(bool fitToPowerOfTwo)
{
    if (rows == 0) {
        log(QStringLiteral("Kurvo: Header line but no data"));
        return;
    }
    if (tooManyRows)
        log(QStringLiteral("Kurvo: Only the first %1 rows are read").arg(kMaxCurvePoints));
    if (textRows > 0)
        log(QStringLiteral("Kurvo: %1 lines of text in the table are skipped").arg(textRows));
    if (gaps > 0)
        log(QStringLiteral("Kurvo: %1 empty or unreadable fields are gaps").arg(gaps));
    std::size_t count = rows;
    if (fitToPowerOfTwo) {
        count = powerOfTwoCount(rows);
        log(QStringLiteral("Kurvo: # Original points %1, corrected to %2").arg(rows).arg(count));
    }
    auto column = columns.begin();
    if (shape.xColumn == TableShape::kRowNumbers) {
        // The row numbers step evenly: kept as a start and a step, they cost no memory.
        data.evenX = EvenX{-0.0, 1.0};
    } else {
        data.x = std::move(*column++);
        resizeExactly(data.x, int(count));
    }
    for (int source : shape.curves) {
        resizeExactly(*column, int(count));
        data.y.push_back(std::move(*column++));
        data.curveTitles << shape.names.value(source);
    }
    data.xIsTime = shape.xIsTime();
    data.range = rangeOfTable(data, inBlocks ? plan.threads : 1);
}
