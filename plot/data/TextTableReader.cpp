#include "TextTableReader.h"

#include "BlockSource.h"
#include "ByteLines.h"
#include "ColumnSizing.h"
#include "LooseTableReader.h"
#include "MemoryBlocks.h"
#include "NumberParser.h"
#include "PointLimit.h"
#include "PowerOfTwo.h"
#include "RangeOnThreads.h"
#include "RowBlocks.h"
#include "TextProbe.h"

#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

const char kSeparators[] = {' ', ';', ',', ':', '\t'};
// Every column becomes a curve, so a table has no more rows than a curve has points.
const std::size_t kMaxRows = kMaxCurvePoints;
// A field that holds no number is a gap in its curve, never an invented value.
const double kGap = std::numeric_limits<double>::quiet_NaN();
bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

QString quoted(const std::string& text)
{
    return QString::fromUtf8(text.data(), int(std::min<std::size_t>(text.size(), INT_MAX)));
}

std::vector<std::string_view> splitAt(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t at = line.find(separator);
        fields.push_back(line.substr(0, at));
        if (at == std::string_view::npos)
            return fields;
        line.remove_prefix(at + 1);
    }
}

} // namespace

// Tables the strict rules read come out exactly as they always have; only where they find
// nothing to draw is the table read again the way people write tables. When that finds
// nothing either, the strict reader's account of why stands, with anything the second
// reading adds.
ImportedData TextTableReader::read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo)
{
    return read(bytes, name, fitToPowerOfTwo, TableOptions());
}

// The user's choices go straight to the second reading.
ImportedData TextTableReader::read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo,
                                   const TableOptions& options)
{
    return read(bytes, name, fitToPowerOfTwo, options, BlockPlan());
}

ImportedData TextTableReader::read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo,
                                   const TableOptions& options, const BlockPlan& plan)
{
    if (!TextProbe::canBeText(bytes.data(), qint64(std::min<std::size_t>(bytes.size(), TextProbe::sampleSize)))) {
        ImportedData refused;
        refused.log << QStringLiteral("Kurvo: %1 is not a text table").arg(name);
        return refused;
    }
    const MemoryBlocks blocks(bytes);
    ByteLines lines(bytes);
    if (!options.automatic())
        return LooseTableReader::read(lines, name, fitToPowerOfTwo, options, &blocks, plan);
    ImportedData strict = readStrict(lines, name, fitToPowerOfTwo, &blocks, plan);
    ByteLines again(bytes);
    return orLoose(std::move(strict), again, name, fitToPowerOfTwo, &blocks, plan);
}

ImportedData TextTableReader::readStrict(LineSource& lines, const QString& name, bool fitToPowerOfTwo,
                                         const BlockSource* blocks, const BlockPlan& plan)
{
    TextTableReader reader(lines, blocks, plan);
    reader.table.title = name;
    reader.run(fitToPowerOfTwo);
    return std::move(reader.table);
}

ImportedData TextTableReader::orLoose(ImportedData strict, LineSource& again, const QString& name,
                                      bool fitToPowerOfTwo, const BlockSource* blocks, const BlockPlan& plan)
{
    if (!strict.y.empty())
        return strict;
    ImportedData loose = LooseTableReader::read(again, name, fitToPowerOfTwo, TableOptions(), blocks, plan);
    if (!loose.y.empty())
        return loose;
    for (const QString& line : loose.log) {
        if (!strict.log.contains(line))
            strict.log << line;
    }
    return strict;
}

TextTableReader::TextTableReader(LineSource& lines, const BlockSource* blocks, const BlockPlan& plan)
    : lines(lines)
    , blocks(blocks)
    , plan(plan)
{
}

void TextTableReader::run(bool fitToPowerOfTwo)
{
    const std::string_view first = firstDataLine();
    if (first.empty()) {
        log(QStringLiteral("Kurvo: No data line found"));
        return;
    }
    if (!detectSeparator(first)) {
        log(QStringLiteral("Kurvo: Field separator not found"));
        return;
    }
    columns.resize(std::size_t(fieldCount));
    inBlocks = blocks && plan.parallel(lines.bytesLeft());
    const std::size_t guess = inBlocks ? 1 : rowsLike(lines, first.size());
    for (auto& column : columns)
        reserveGuess(column, guess);
    for (int j = 0; j < fieldCount; ++j)
        columns[std::size_t(j)].push_back(firstValues[std::size_t(j)]);
    rows = 1;
    if (inBlocks)
        readBlocks(first.size());
    else
        readRows(kMaxRows);
    if (cut)
        log(QStringLiteral("Kurvo: Only the first %1 rows are read").arg(rows));
    buildTable(fitToPowerOfTwo);
}

// The rows after the first data line, which decided everything else, are read in blocks on
// as many threads.
void TextTableReader::readBlocks(std::size_t rowLength)
{
    const std::size_t from = blocks->size() - std::min(lines.bytesLeft(), blocks->size());
    const RowBlock counts = RowBlocks::read(
        *blocks, from, plan, kMaxRows - rows, rows + rowsLike(lines, rowLength),
        [&](std::string_view block, std::size_t allowance) { return readBlock(block, allowance, rowLength); },
        columns);
    rows += counts.rows;
    gaps += counts.gaps;
    cut = counts.cut;
}

RowBlock TextTableReader::readBlock(std::string_view block, std::size_t allowance, std::size_t rowLength) const
{
    ByteLines blockLines(block);
    TextTableReader reader(blockLines);
    reader.separator = separator;
    reader.fieldCount = fieldCount;
    reader.columns.resize(std::size_t(fieldCount));
    const std::size_t guess = std::min(rowsLike(blockLines, rowLength), allowance);
    for (auto& column : reader.columns)
        reserveGuess(column, guess);
    reader.readRows(allowance);
    RowBlock read;
    read.columns = std::move(reader.columns);
    read.rows = reader.rows;
    read.gaps = reader.gaps;
    read.cut = reader.cut;
    return read;
}

// Trims white space as QString::trimmed does. Only a line that still starts or ends with a
// non-ASCII byte can hold Unicode blanks at its ends; that rare line is trimmed by Qt.
std::string_view TextTableReader::trimmed(std::string_view line)
{
    while (!line.empty() && isAsciiSpace(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isAsciiSpace(line.back()))
        line.remove_suffix(1);
    if (line.empty() || line.size() > std::size_t(INT_MAX)
        || (static_cast<unsigned char>(line.front()) < 0x80 && static_cast<unsigned char>(line.back()) < 0x80))
        return line;
    const QByteArray text = QString::fromUtf8(line.data(), int(line.size())).trimmed().toUtf8();
    scratch.assign(text.constData(), std::size_t(text.size()));
    return scratch;
}

// "$AUTOXSCALE" takes the place of comments: only without it are leading "//" lines skipped.
std::string_view TextTableReader::firstDataLine()
{
    std::string_view line = trimmed(lines.next());
    if (startsWith(line, "$AUTOXSCALE")) {
        autoX = true;
        return trimmed(lines.next());
    }
    if (!startsWith(line, "//"))
        return line;
    do {
        line = lines.next();
    } while (startsWith(line, "//"));
    return trimmed(line);
}

bool TextTableReader::detectSeparator(std::string_view line)
{
    for (char candidate : kSeparators) {
        if (tryFields(line, candidate)) {
            log(QStringLiteral("Kurvo: Field separator [%1]").arg(QChar::fromLatin1(candidate)));
            separator = candidate;
            return true;
        }
    }
    return false;
}

bool TextTableReader::tryFields(std::string_view line, char candidate)
{
    const std::vector<std::string_view> fields = splitAt(line, candidate);
    const int n = int(std::min<std::size_t>(fields.size(), kMaxFields));
    if (n < 2)
        return false;
    for (int j = 0; j < n; ++j) {
        std::string text(fields[std::size_t(j)]);
        if (candidate != ',')
            std::replace(text.begin(), text.end(), ',', '.');
        log(QStringLiteral("Kurvo: Number of fields: %1").arg(quoted(text)));
        if (!NumberParser::parse(text, false, firstValues[std::size_t(j)])) {
            log(QStringLiteral("Kurvo: toDouble conversion fail -> [%1]").arg(quoted(text)));
            return false;
        }
    }
    fieldCount = n;
    return true;
}

// Blank lines are skipped; missing and unreadable fields are gaps, fields past the count of the
// first data line are ignored. Reading stops at a row past `limit` rows.
void TextTableReader::readRows(std::size_t limit)
{
    while (!lines.atEnd()) {
        const std::string_view raw = lines.next();
        if (rows == limit && !trimmed(raw).empty()) {
            cut = true;
            return;
        }
        if (!addPlainRow(raw)) {
            const std::string_view line = trimmed(raw);
            if (line.empty())
                continue;
            addRow(line);
        }
        ++rows;
    }
}

// The common row, read in one pass: no blanks around the line or its fields and nothing but
// plain finite numbers. Any other row is taken back and left to addRow, which gives a plain
// row the same values, so this changes only the speed.
bool TextTableReader::addPlainRow(std::string_view line)
{
    const char* p = line.data();
    const char* const end = p + line.size();
    if (p == end || isAsciiSpace(*p))
        return false;
    int j = 0;
    for (; j < fieldCount; ++j) {
        double value = 0.0;
        if (!plainNumber(p, end, value)) {
            takeBack(j);
            return false;
        }
        columns[std::size_t(j)].push_back(value);
        if (p == end)
            break;
        ++p;
    }
    for (++j; j < fieldCount; ++j) {
        columns[std::size_t(j)].push_back(kGap);
        ++gaps;
    }
    return true;
}

// Reads a plain number at p that ends at the separator or the line's end, and leaves p there.
bool TextTableReader::plainNumber(const char*& p, const char* end, double& value) const
{
    const char* stop = NumberParser::parsePlainPrefix(p, end, value);
    if (!stop || (stop != end && *stop != separator))
        return false;
    p = stop;
    return true;
}

void TextTableReader::takeBack(int fields)
{
    for (int j = 0; j < fields; ++j)
        columns[std::size_t(j)].pop_back();
}

void TextTableReader::addRow(std::string_view line)
{
    const bool decimalComma = separator != ',';
    const char* p = line.data();
    const char* const end = p + line.size();
    for (auto& column : columns) {
        double value = kGap;
        if (p) {
            const auto* next = static_cast<const char*>(std::memchr(p, separator, std::size_t(end - p)));
            const char* fieldEnd = next ? next : end;
            if (!NumberParser::parse(std::string_view(p, std::size_t(fieldEnd - p)), decimalComma, value))
                value = kGap;
            p = next ? next + 1 : nullptr;
        }
        gaps += std::isnan(value) ? 1 : 0;
        column.push_back(value);
    }
}

void TextTableReader::buildTable(bool fitToPowerOfTwo)
{
    if (gaps > 0)
        log(QStringLiteral("Kurvo: %1 empty or unreadable fields are gaps").arg(gaps));
    std::size_t count = rows;
    if (fitToPowerOfTwo) {
        count = powerOfTwoCount(rows);
        log(QStringLiteral("Kurvo: # Original points %1, corrected to %2").arg(rows).arg(count));
        for (auto& column : columns)
            resizeExactly(column, int(count));
    }
    if (autoX) {
        // The row numbers step evenly: kept as a start and a step, they cost no memory.
        table.evenX = EvenX{-0.0, 1.0};
        table.y = std::move(columns);
    } else {
        table.x = std::move(columns.front());
        table.y.assign(std::make_move_iterator(columns.begin() + 1), std::make_move_iterator(columns.end()));
    }
    table.range = rangeOfTable(table, inBlocks ? plan.threads : 1);
}
