#include "ColumnCurves.h"

#include "ColumnSizing.h"
#include "PowerOfTwo.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kRowNumbers = -1;
// One x and fifteen curves, as the plot has always read tables.
constexpr std::size_t kMaxColumns = 16;

// The smallest and largest finite value of `values`, into the range through `widen`. Four lanes
// of limits: with one pair every value would wait for the one before.
template <typename Widen>
void finiteLimits(const ImportedData::Column& column, Widen widen)
{
    constexpr std::size_t lanes = 4;
    const double* values = column.constData();
    const std::size_t count = std::size_t(column.size());
    double low[lanes];
    double high[lanes];
    std::fill(low, low + lanes, std::numeric_limits<double>::max());
    std::fill(high, high + lanes, -std::numeric_limits<double>::max());
    bool any = false;
    const double largest = std::numeric_limits<double>::max();
    const auto take = [&](double v, std::size_t k) {
        const bool finite = std::abs(v) <= largest;
        low[k] = std::min(low[k], finite ? v : largest);
        high[k] = std::max(high[k], finite ? v : -largest);
    };
    std::size_t i = 0;
    for (; i + lanes <= count; i += lanes) {
        for (std::size_t k = 0; k < lanes; ++k)
            take(values[i + k], k);
    }
    for (; i < count; ++i)
        take(values[i], 0);
    for (std::size_t k = 0; k < lanes; ++k)
        any = any || low[k] <= high[k];
    // Only finite values were taken, so limits that crossed saw none.
    if (any) {
        widen(*std::min_element(low, low + lanes));
        widen(*std::max_element(high, high + lanes));
    }
}

// Only a column that changes length is copied: the dataset's own array is shared otherwise.
void cut(ImportedData::Column& values, std::size_t count)
{
    if (std::size_t(values.size()) != count)
        resizeExactly(values, int(count));
}

} // namespace

ImportedData ColumnCurves::make(std::vector<Column> columns, bool firstIsX, const QString& title,
                                bool fitToPowerOfTwo, const TableOptions& options)
{
    ImportedData data;
    data.title = title;
    if (columns.empty())
        return data;
    QString problem;
    int x = firstIsX && columns.size() > 1 ? 0 : kRowNumbers;
    if (options.xColumn.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        x = kRowNumbers;
    else if (!options.xColumn.isEmpty() && !columnOf(columns, options.xColumn, x, problem)) {
        data.log << problem;
        return data;
    }
    std::vector<int> curves;
    for (const QString& choice : options.columns) {
        int index = 0;
        if (!columnOf(columns, choice, index, problem)) {
            data.log << problem;
            return data;
        }
        curves.push_back(index);
    }
    if (options.columns.isEmpty()) {
        for (int j = 0; j < int(columns.size()); ++j) {
            if (j != x)
                curves.push_back(j);
        }
    }
    const std::size_t withX = curves.size() + (x == kRowNumbers ? 0 : 1);
    if (withX > kMaxColumns) {
        data.log << QStringLiteral("Kurvo: %1 columns beyond the sixteenth are left out").arg(withX - kMaxColumns);
        curves.resize(curves.size() - (withX - kMaxColumns));
    }
    if (curves.empty()) {
        data.log << QStringLiteral("Kurvo: No column of numbers to draw");
        return data;
    }
    const std::size_t rows = std::size_t(columns.front().values.size());
    std::size_t count = rows;
    if (fitToPowerOfTwo) {
        count = powerOfTwoCount(rows);
        data.log << QStringLiteral("Kurvo: # Original points %1, corrected to %2").arg(rows).arg(count);
    }
    if (x == kRowNumbers) {
        resizeExactly(data.x, int(count));
        // Each number from its index: a running sum would make every one wait for the last.
        double* numbers = data.x.data();
        for (std::size_t i = 0; i < count; ++i)
            numbers[i] = double(i);
        data.range.addX(0.0);
        data.range.addX(double(count > 0 ? count - 1 : 0));
    } else {
        data.x = columns[std::size_t(x)].values;
        cut(data.x, count);
        finiteLimits(data.x, [&](double v) { data.range.addX(v); });
    }
    for (int j : curves) {
        // A column drawn twice shares its values.
        ImportedData::Column values = columns[std::size_t(j)].values;
        cut(values, count);
        finiteLimits(values, [&](double v) { data.range.addY(v); });
        data.curveTitles << columns[std::size_t(j)].name;
        data.y.push_back(std::move(values));
    }
    data.log << QStringLiteral("Kurvo: %1 points, %2, %3 curves")
                    .arg(count)
                    .arg(x == kRowNumbers ? QStringLiteral("x counts the rows")
                                          : QStringLiteral("x from %1").arg(columns[std::size_t(x)].name))
                    .arg(data.y.size());
    return data;
}

// A 1-based column number, or a column's name in any case.
bool ColumnCurves::columnOf(const std::vector<Column>& columns, const QString& choice, int& index, QString& problem)
{
    bool isNumber = false;
    const int number = choice.toInt(&isNumber);
    if (isNumber) {
        index = number - 1;
        if (number >= 1 && number <= int(columns.size()))
            return true;
        problem = QStringLiteral("Kurvo: Column %1 is not in the table, which has %2 columns").arg(choice).arg(columns.size());
        return false;
    }
    for (std::size_t j = 0; j < columns.size(); ++j) {
        if (columns[j].name.compare(choice.trimmed(), Qt::CaseInsensitive) == 0) {
            index = int(j);
            return true;
        }
    }
    problem = QStringLiteral("Kurvo: No column named %1").arg(choice);
    return false;
}
