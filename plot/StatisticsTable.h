#pragma once

#include "CurveStatistics.h"

#include <optional>

class QTableWidget;

// Shows one curve's statistics in the tool panel's table: the value cells are replaced,
// centred and dark red, and keep the tool tips of their labels. Before the table is built
// the figures wait for it, so that it shows the last curve shown once it is there.
class StatisticsTable
{
public:
    explicit StatisticsTable(QTableWidget* table = nullptr);

    void attach(QTableWidget* built);
    void show(const CurveStatistics& statistics);

private:
    QTableWidget* table;
    std::optional<CurveStatistics> waiting;
};
