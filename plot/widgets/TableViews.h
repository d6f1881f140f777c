#pragma once

#include <QString>

class QAbstractItemView;
class QAction;
class QTableWidget;
class QWidget;

// The tables of figures below the plot, alike wherever they come from, and the Copy entry
// that tables and views of rows offer in their context menu and for Ctrl+C.
class TableViews
{
public:
    // Columns "Figure", "Value" and `third`, no row headers, not editable, hidden until the
    // caller fills and shows it.
    static QTableWidget* figures(QWidget* parent, const QString& objectName, const QString& third);
    // The action, for the caller to connect, answers Ctrl+C only while `view` has the focus.
    static QAction* addCopyAction(QAbstractItemView* view, const QString& objectName);
};
