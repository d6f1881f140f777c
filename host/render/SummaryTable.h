#pragma once

#include "BatchResult.h"

#include <QStringList>

#include <vector>

// The table of a batch: one row per input with its name, file, status, the reason it failed,
// the statistics of its current curve, its peak counts and the figures asked for. A column
// holds what any input gave; an input that gave no such figure leaves it empty.
class SummaryTable
{
public:
    explicit SummaryTable(const std::vector<BatchResult>& results);

    const QStringList& header() const { return columns; }
    // Row by row, the fields as the header orders them.
    const std::vector<QStringList>& rows() const { return cells; }

    // As CSV, replacing the file only once it is complete; false with the reason otherwise.
    bool write(const QString& path, QString& error) const;

private:
    static void addColumns(const BatchResult::Figures& figures, QStringList& columns);
    static QByteArray csvLine(const QStringList& fields);
    static QString csvField(const QString& text);

    QStringList columns;
    std::vector<QStringList> cells;
};
