#include "ArrayFileReader.h"

#include "ColumnSizing.h"
#include "NumberParser.h"
#include "PointLimit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace {

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

// The summary shows the range in whole numbers; out-of-range values are clamped.
int truncated(double v)
{
    if (std::isnan(v))
        return 0;
    return int(std::clamp(v, double(INT_MIN), double(INT_MAX)));
}

long long fieldCount(std::string_view line)
{
    return 1 + std::count(line.begin(), line.end(), ',');
}

} // namespace

ImportedData ArrayFileReader::read(std::string_view bytes, const QString& name)
{
    ArrayFileReader reader(bytes, name);
    reader.run();
    return std::move(reader.data);
}

ArrayFileReader::ArrayFileReader(std::string_view bytes, const QString& name)
    : lines(bytes)
{
    data.title = name;
    data.look = ImportedData::Look::Sticks;
    data.selectEachCurve = false;
    // The y range always holds 0.
    data.range.addY(0.0);
}

void ArrayFileReader::run()
{
    if (!startsWith(lines.next(), "$VX_ARRAY")) {
        log(QStringLiteral("Kurvo: Not an array data file: no $VX_ARRAY line"));
        return;
    }
    readHeader();
    log(QStringLiteral("Kurvo: rows = %1, cols = %2").arg(rowCount).arg(columnCount));
    if (rowCount < 1 || columnCount < 1)
        return;
    readRows();
    buildCurve();
}

void ArrayFileReader::readHeader()
{
    while (!lines.atEnd()) {
        const std::string_view line = lines.next();
        if (lines.lastReadLength() >= 5)
            readHeaderLine(line);
        if (startsWith(line, "#END"))
            return;
    }
}

void ArrayFileReader::readHeaderLine(std::string_view line)
{
    const QString text = QString::fromUtf8(line.data(), int(std::min<std::size_t>(line.size(), INT_MAX))).simplified();
    const QStringList fields = text.split(QLatin1Char(','));
    log(QStringLiteral("Kurvo: [%1]-> %2").arg(text).arg(fields.size()));
    const QString& keyword = fields.front();
    const bool pair = fields.size() == 2;
    if (keyword == QLatin1String("#DOC"))
        log(QStringLiteral("Kurvo: Flush #DOC keyword\n"));
    else if (keyword == QLatin1String("#ROWS") && pair)
        rowCount = fields[1].toInt();
    else if (keyword == QLatin1String("#COLS") && pair)
        columnCount = fields[1].toInt();
    if (keyword == QLatin1String("#START") && pair)
        start = fields[1].toInt();
    else if (keyword == QLatin1String("#LEN") && pair)
        length = fields[1].toInt();
    else if (keyword == QLatin1String("#TITLE") && fields.size() >= 2 && !fields[1].isEmpty())
        data.title = fields[1];
}

// Rows beyond what the file holds are not read; only their count is reported.
void ArrayFileReader::readRows()
{
    rowsExpected = (length >= 0 ? length : rowCount) - (long long)start;
    for (int skipped = 0; skipped < start && !lines.atEnd(); ++skipped)
        lines.next();
    for (long long i = 0; i < rowsExpected && !lines.atEnd(); ++i) {
        const std::string_view line = lines.next();
        const long long fields = fieldCount(line);
        log(QStringLiteral("Kurvo: i = %1, fields = %2").arg(i).arg(fields));
        widestRow = std::max(widestRow, fields - 1);
        if (i == 0)
            keepFirstRow(line);
        ++rowsRead;
    }
    if (rowsRead < rowsExpected)
        log(QStringLiteral("Kurvo: %1 rows expected, %2 found").arg(rowsExpected).arg(rowsRead));
}

void ArrayFileReader::keepFirstRow(std::string_view line)
{
    // Values past what a curve holds are cut before they are kept.
    const std::size_t wanted = std::min(std::size_t(columnCount), kMaxCurvePoints);
    std::size_t at = line.find(',');
    while (at != std::string_view::npos && std::size_t(firstRow.size()) < wanted) {
        line.remove_prefix(at + 1);
        at = line.find(',');
        double value = 0.0;
        NumberParser::parse(line.substr(0, at), false, value);
        data.range.addY(value);
        firstRow.push_back(value);
    }
}

// The curve has COLS points unless no row holds that many values: then it has as many as the
// widest row, and values missing from row 0 are 0.
void ArrayFileReader::buildCurve()
{
    if (rowsRead == 0) {
        log(QStringLiteral("Kurvo: No data row found"));
        return;
    }
    long long points = std::min<long long>(columnCount, widestRow);
    if (points < columnCount)
        log(QStringLiteral("Kurvo: #COLS %1 is more than the %2 values of the widest row").arg(columnCount).arg(points));
    if (points > (long long)kMaxCurvePoints) {
        log(QStringLiteral("Kurvo: Only the first %1 points are read").arg(kMaxCurvePoints));
        points = (long long)kMaxCurvePoints;
    }
    const QString summary = QStringLiteral("Kurvo: %1x%2 { yMin = %3, yMax = %4 }")
                                .arg(points)
                                .arg(rowsRead)
                                .arg(truncated(data.range.yMin))
                                .arg(truncated(data.range.yMax));
    log(summary);
    if (points == 0)
        return;
    resizeExactly(firstRow, int(points));
    data.y.push_back(std::move(firstRow));
    resizeExactly(data.x, int(points));
    std::iota(data.x.begin(), data.x.end(), 0.0);
    data.range.addX(0.0);
    data.range.addX(data.x.back());
    // The summary shows again once the curve is drawn as sticks.
    data.closingLog << summary;
}
