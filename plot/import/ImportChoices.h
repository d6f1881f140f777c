#pragma once

#include "TableOptions.h"

#include <QString>
#include <QStringList>

struct TablePreview;
struct TableShape;

// How the Import dialog's choices stand for the table options, and what it says of the
// table found. Item 0 of every list is "Automatic".
class ImportChoices
{
public:
    static QStringList separatorItems();
    static char separatorAt(int index);
    // The automatic item, with the separator found; plain while nothing was found.
    static QString automaticSeparator(char found);

    static QStringList decimalItems();
    static TableOptions::DecimalMark decimalAt(int index);
    static QString automaticDecimal(const TablePreview& preview);

    // "Automatic", "None (row numbers)", then one item per column.
    static constexpr int kFirstColumnItem = 2;
    static QString xColumnAt(int index);
    static int xColumnItem(int column) { return kFirstColumnItem + column; }
    static QString automaticXColumn(const TableShape& shape);

    // The header's name of a 0-based column, or "Column N" where it has none.
    static QString columnName(const TableShape& shape, int column);
    // "N: name", as the column and curve lists show a column.
    static QString columnItem(const TableShape& shape, int column);

    // Where the table was found, as line numbers in the file; `skip` is the user's skip.
    static QString found(const TablePreview& preview, int skip);
};
