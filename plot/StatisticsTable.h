#pragma once

struct CurveStatistics;
class QTableWidget;

// Shows one curve's statistics in the tool panel's table: the value cells are replaced,
// centred and dark red, and keep the tool tips of their labels.
class StatisticsTable
{
public:
    explicit StatisticsTable(QTableWidget* table);

    void show(const CurveStatistics& statistics);

private:
    QTableWidget* table;
};
