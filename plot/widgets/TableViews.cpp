#include "TableViews.h"

#include "PlotTranslation.h"

#include <QAction>
#include <QHeaderView>
#include <QKeySequence>
#include <QTableWidget>

QTableWidget* TableViews::figures(QWidget* parent, const QString& objectName, const QString& third)
{
    auto* table = new QTableWidget(0, 3, parent);
    table->setObjectName(objectName);
    table->setHorizontalHeaderLabels({translated("Figure"), translated("Value"), third});
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setMaximumHeight(160);
    table->hide();
    return table;
}

QAction* TableViews::addCopyAction(QAbstractItemView* view, const QString& objectName)
{
    auto* copy = new QAction(translated("Copy"), view);
    copy->setObjectName(objectName);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(copy);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    return copy;
}
