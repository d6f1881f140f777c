#include "StatisticsTable.h"

#include "StatisticsCells.h"

#include <QTableWidget>

StatisticsTable::StatisticsTable(QTableWidget* table)
    : table(table)
{
}

void StatisticsTable::attach(QTableWidget* built)
{
    table = built;
    if (waiting)
        show(*waiting);
    waiting.reset();
}

void StatisticsTable::show(const CurveStatistics& statistics)
{
    if (!table) {
        waiting = statistics;
        return;
    }
    for (const StatisticsCell& cell : StatisticsCell::all()) {
        auto* item = new QTableWidgetItem(cell.valueText(statistics));
        item->setTextAlignment(Qt::AlignHCenter);
        item->setForeground(QBrush(Qt::darkRed, Qt::SolidPattern));
        if (const QTableWidgetItem* label = table->item(cell.row, cell.column))
            item->setToolTip(label->toolTip());
        table->setItem(cell.row, cell.column + 1, item);
    }
}
