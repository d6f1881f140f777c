#include "ColumnCurves.h"

#include "ColumnSizing.h"
#include "FiniteLimits.h"
#include "PowerOfTwo.h"

#include <algorithm>

namespace {

constexpr int kRowNumbers = -1;
// One x and fifteen curves, as the plot has always read tables.
constexpr std::size_t kMaxColumns = 16;

// A column's limits as the reader took them, or taken here.
FiniteLimits limitsOf(const ColumnCurves::Column& column, std::size_t count)
{
    if (column.limits && std::size_t(column.values.size()) == count)
        return *column.limits;
    FiniteLimits limits;
    limits.add(column.values.constData(), std::min(count, std::size_t(column.values.size())));
    return limits;
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
        data.evenX = EvenX{-0.0, 1.0};
        data.range.addX(0.0);
        data.range.addX(double(count > 0 ? count - 1 : 0));
    } else {
        const FiniteLimits limits = limitsOf(columns[std::size_t(x)], count);
        data.x = columns[std::size_t(x)].values;
        cut(data.x, count);
        if (limits.found()) {
            data.range.addX(limits.min());
            data.range.addX(limits.max());
        }
    }
    for (int j : curves) {
        // A column drawn twice shares its values.
        const FiniteLimits limits = limitsOf(columns[std::size_t(j)], count);
        ImportedData::Column values = columns[std::size_t(j)].values;
        cut(values, count);
        if (limits.found()) {
            data.range.addY(limits.min());
            data.range.addY(limits.max());
        }
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
