#pragma once

#include <QString>

#include <cstddef>

class AvailableMemory;

// What a dataset of a scientific file may cost before a reader allocates for it: no more rows
// than a curve holds, and the memory it takes (x, and every column as read and as a curve)
// within what the system can give.
class DatasetLimits
{
public:
    // False with the log line that says why not.
    static bool fit(double rows, double columns, const QString& source, QString& refusal);
    static bool fit(double rows, double columns, const QString& source, QString& refusal,
                    const AvailableMemory& memory);
};
