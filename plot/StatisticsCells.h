#pragma once

#include <QString>

#include <cstdint>
#include <vector>

struct CurveStatistics;

// The cells of the statistics table: where each figure's label sits (its value sits to the
// right), the label, its tool tip and the figure's text as the table shows it.
struct StatisticsCell {
    int row;
    int column;
    const char* label;
    const char* tip; // null for none
    double CurveStatistics::*figure; // null for a count
    std::uint32_t CurveStatistics::*count; // null for a figure

    // Six significant digits, shortest of fixed and exponent notation; a count in full.
    QString valueText(const CurveStatistics& statistics) const;

    // Column pair by column pair, top to bottom.
    static const std::vector<StatisticsCell>& all();
};
