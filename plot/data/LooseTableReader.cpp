#include "LooseTableReader.h"

#include "ByteLines.h"
#include "ColumnSizing.h"
#include "LooseLines.h"
#include "NumberParser.h"
#include "PointLimit.h"
#include "PowerOfTwo.h"

#include <algorithm>
#include <climits>
#include <numeric>

namespace {

const char kSeparators[] = {' ', ';', ',', ':', '\t'};
// One x column and fifteen y columns, or sixteen y columns when x counts the rows.
const std::size_t kMaxColumns = 16;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

// Fields that no reading of a number accepts, told apart cheaply: a sign inside a field that
// does not follow an exponent (dates such as 2024-01-31), a colon or slash (times and dates),
// or a letter that does not start an infinity or NaN.
bool clearlyText(std::string_view field)
{
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if ((c == '-' || c == '+') && i > 0 && field[i - 1] != 'e' && field[i - 1] != 'E')
            return true;
        if (c == ':' || c == '/')
            return true;
    }
    const std::string_view word = field.substr(field.find_first_not_of("+-") == std::string_view::npos
                                                   ? field.size()
                                                   : field.find_first_not_of("+-"));
    if (word.empty() || !((word[0] >= 'a' && word[0] <= 'z') || (word[0] >= 'A' && word[0] <= 'Z')))
        return false;
    const char first = char(word[0] | 0x20);
    return first != 'i' && first != 'n';
}

QString unquoted(std::string_view field)
{
    field = trimmed(field);
    if (field.size() >= 2 && (field.front() == '"' || field.front() == '\'') && field.back() == field.front())
        field = trimmed(field.substr(1, field.size() - 2));
    return QString::fromUtf8(field.data(), int(std::min<std::size_t>(field.size(), INT_MAX)));
}

} // namespace

ImportedData LooseTableReader::read(std::string_view bytes, const QString& name, bool fitToPowerOfTwo)
{
    ByteLines lines(bytes);
    return read(lines, name, fitToPowerOfTwo);
}

ImportedData LooseTableReader::read(LineSource& lines, const QString& name, bool fitToPowerOfTwo)
{
    LooseLines loose(lines);
    LooseTableReader reader(loose);
    reader.data.title = name;
    reader.run(fitToPowerOfTwo);
    return std::move(reader.data);
}

LooseTableReader::LooseTableReader(LineSource& lines)
    : lines(lines)
{
}

// The first two rows decide: a header row above a data row, or data from the first row on.
// They are copied, since the lines of a file are gone once the next ones are read.
void LooseTableReader::run(bool fitToPowerOfTwo)
{
    std::string_view row;
    if (!nextRow(row))
        return;
    const std::string first(row);
    const bool twoRows = nextRow(row);
    const std::string second(twoRows ? row : std::string_view());
    const bool header = twoRows && chooseSeparator(second) && isHeader(first, second);
    if (!header && !chooseSeparator(first)) {
        if (!twoRows)
            log(QStringLiteral("Kurvo: Header line but no data"));
        return;
    }
    const std::string& firstData = header ? second : first;
    columns.resize(fields(firstData).size());
    if (header)
        takeHeader(first);
    const std::size_t guess = rowsLike(lines, firstData.size());
    for (Column& column : columns)
        reserveGuess(column.values, guess);
    log(QStringLiteral("Kurvo: Field separator [%1]").arg(QChar::fromLatin1(separator)));
    if (!header)
        readRow(first);
    if (twoRows)
        readRow(second);
    readRows();
    buildCurves(fitToPowerOfTwo);
}

// Lines end at LF, CR or form feed; blank lines, '#' lines anywhere and "//" lines before
// the data are no rows. "$AUTOXSCALE" as the first line numbers the rows.
bool LooseTableReader::nextRow(std::string_view& row)
{
    while (!lines.atEnd()) {
        const std::string_view line = trimmed(lines.next());
        if (line.empty() || line.front() == '#' || (!sawData && startsWith(line, "//")))
            continue;
        if (!sawData && !autoX && startsWith(line, "$AUTOXSCALE")) {
            autoX = true;
            continue;
        }
        sawData = true;
        row = line;
        return true;
    }
    return false;
}

// Every column becomes a curve, and a curve holds no more points than kMaxCurvePoints.
void LooseTableReader::readRows()
{
    std::string_view row;
    while (nextRow(row)) {
        if (std::size_t(columns.front().values.size()) == kMaxCurvePoints) {
            tooManyRows = true;
            return;
        }
        readRow(row);
    }
}

// The first separator, in the strict rules' order, that splits the line into at least two
// fields of which at least one is a number.
bool LooseTableReader::chooseSeparator(std::string_view line)
{
    for (char candidate : kSeparators) {
        separator = candidate;
        const std::vector<std::string_view>& parts = fields(line);
        double value = 0.0;
        if (parts.size() >= 2
            && std::any_of(parts.begin(), parts.end(), [&](std::string_view f) { return number(f, value); }))
            return true;
    }
    separator = 0;
    return false;
}

// Blank and TAB separators take runs of blanks as one, so aligned columns read as they look;
// a separator at the end of the line opens no further field.
const std::vector<std::string_view>& LooseTableReader::fields(std::string_view line) const
{
    std::vector<std::string_view>& parts = fieldBuffer;
    parts.clear();
    const bool blanks = separator == ' ' || separator == '\t';
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t at = blanks ? line.find_first_of(separator == ' ' ? " \t" : "\t", start) : line.find(separator, start);
        if (at == std::string_view::npos)
            at = line.size();
        parts.push_back(trimmed(line.substr(start, at - start)));
        if (at == line.size())
            break;
        start = at + 1;
        if (blanks) {
            while (start < line.size() && isBlank(line[start]))
                ++start;
        }
    }
    if (parts.size() > 1 && parts.back().empty())
        parts.pop_back();
    return parts;
}

// Plain numbers take the quick path; what is left goes to the full reading unless it is
// clearly text.
bool LooseTableReader::number(std::string_view field, double& value) const
{
    value = 0.0;
    field = trimmed(field);
    const char* end = field.data() + field.size();
    if (field.empty())
        return false;
    if (NumberParser::parsePlainPrefix(field.data(), end, value) == end)
        return true;
    value = 0.0;
    if (clearlyText(field))
        return false;
    return NumberParser::parse(field, separator != ',', value);
}

// A header sits above a data line and holds text in some column where that line holds a
// number, so a data row that starts with a date is no header.
bool LooseTableReader::isHeader(std::string_view first, std::string_view second) const
{
    const std::vector<std::string_view> names = fields(first);
    const std::vector<std::string_view> values = fields(second);
    double value = 0.0;
    for (std::size_t j = 0; j < values.size() && j < names.size(); ++j) {
        if (number(values[j], value) && !names[j].empty() && !number(names[j], value))
            return true;
    }
    return false;
}

void LooseTableReader::takeHeader(std::string_view line)
{
    const std::vector<std::string_view> names = fields(line);
    for (std::size_t j = 0; j < names.size() && j < columns.size(); ++j)
        columns[j].title = unquoted(names[j]);
    log(QStringLiteral("Kurvo: Header line: %1 names").arg(names.size()));
}

void LooseTableReader::readRow(std::string_view line)
{
    const std::vector<std::string_view>& parts = fields(line);
    for (std::size_t j = 0; j < columns.size(); ++j) {
        double value = 0.0;
        const bool read = j < parts.size() && number(parts[j], value);
        columns[j].numeric = columns[j].numeric || read;
        columns[j].unread += read ? 0 : 1;
        columns[j].values.push_back(value);
    }
}

void LooseTableReader::buildCurves(bool fitToPowerOfTwo)
{
    if (columns.empty() || columns.front().values.empty()) {
        log(QStringLiteral("Kurvo: Header line but no data"));
        return;
    }
    std::size_t rows = std::size_t(columns.front().values.size());
    if (tooManyRows)
        log(QStringLiteral("Kurvo: Only the first %1 rows are read").arg(kMaxCurvePoints));
    std::size_t unreadable = 0;
    for (std::size_t j = 0; j < columns.size(); ++j) {
        if (!columns[j].numeric)
            log(QStringLiteral("Kurvo: Column %1 holds no numbers and is left out").arg(j + 1));
        else
            unreadable += columns[j].unread;
    }
    if (unreadable > 0)
        log(QStringLiteral("Kurvo: %1 empty or unreadable fields read as 0").arg(unreadable));
    autoX = autoX || !columns.front().numeric;
    std::vector<Column*> numeric;
    for (Column& column : columns) {
        if (column.numeric)
            numeric.push_back(&column);
    }
    if (numeric.empty() || (!autoX && numeric.size() < 2)) {
        log(QStringLiteral("Kurvo: No column of numbers to draw"));
        return;
    }
    const std::size_t kept = std::min(numeric.size(), kMaxColumns);
    if (kept < numeric.size())
        log(QStringLiteral("Kurvo: %1 columns beyond the sixteenth are left out").arg(numeric.size() - kept));
    numeric.resize(kept);
    if (fitToPowerOfTwo) {
        const std::size_t count = powerOfTwoCount(rows);
        log(QStringLiteral("Kurvo: # Original points %1, corrected to %2").arg(rows).arg(count));
        rows = count;
    }
    if (autoX) {
        resizeExactly(data.x, int(rows));
        std::iota(data.x.begin(), data.x.end(), 0.0);
    } else {
        data.x = std::move(numeric.front()->values);
        resizeExactly(data.x, int(rows));
        numeric.erase(numeric.begin());
    }
    for (Column* column : numeric) {
        resizeExactly(column->values, int(rows));
        data.y.push_back(std::move(column->values));
        data.curveTitles << column->title;
    }
    data.range.addX(data.x.data(), data.x.size());
    for (const auto& y : data.y)
        data.range.addY(y.data(), y.size());
}
