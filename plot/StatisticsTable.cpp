#include "StatisticsTable.h"

#include "StatisticsCells.h"

#include <QTableWidget>

StatisticsTable::StatisticsTable(QTableWidget* table)
    : table(table)
{
}

void StatisticsTable::show(const CurveStatistics& statistics)
{
    for (const StatisticsCell& cell : StatisticsCell::all()) {
        auto* item = new QTableWidgetItem(cell.valueText(statistics));
        item->setTextAlignment(Qt::AlignHCenter);
        item->setForeground(QBrush(Qt::darkRed, Qt::SolidPattern));
        if (const QTableWidgetItem* label = table->item(cell.row, cell.column))
            item->setToolTip(label->toolTip());
        table->setItem(cell.row, cell.column + 1, item);
    }
}
