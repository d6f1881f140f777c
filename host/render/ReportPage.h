#pragma once

#include "BatchResult.h"

#include <vector>

// The page of a batch: the summary table on top, sortable by a click on a column, then a
// section per input with its picture, statistics, peak lists and figures. Everything it
// shows is inside the page, so it can be mailed as one file.
class ReportPage
{
public:
    explicit ReportPage(const std::vector<BatchResult>& results);

    QString html() const;
    // Replaces the file only once it is complete; false with the reason otherwise.
    bool write(const QString& path, QString& error) const;

private:
    QString summary() const;
    static QString section(const BatchResult& result, int n);
    static QString pairTable(const BatchResult::Figures& figures, const QString& caption);
    static QString peakList(const QStringList& entries, const QString& caption);

    const std::vector<BatchResult>& results;
};
