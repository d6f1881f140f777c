#pragma once

#include "FiniteLimits.h"
#include "ImportedData.h"
#include "TableOptions.h"

#include <QString>

#include <optional>
#include <vector>

// The numeric columns of a dataset drawn as a table's columns are: x from the first column or
// counting the rows from 0, every other column a curve named after it, at most sixteen
// columns in all; the table options' x column and columns choose the same way, by number
// from 1 or by name. Missing values (NaN) stay gaps.
class ColumnCurves
{
public:
    struct Column {
        QString name;
        ImportedData::Column values;
        // The limits of all its values where the reader took them as it read.
        std::optional<FiniteLimits> limits = std::nullopt;
    };

    // Every column holds as many values as the first. `firstIsX` says whether the first
    // column is x unless the options choose another.
    static ImportedData make(std::vector<Column> columns, bool firstIsX, const QString& title, bool fitToPowerOfTwo,
                             const TableOptions& options);

private:
    static bool columnOf(const std::vector<Column>& columns, const QString& choice, int& index, QString& problem);
};
