#include "ImportChoices.h"

#include "TablePreview.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace {

const char kSeparators[] = {0, '\t', ';', ',', '|', ' ', ':'};

QString text(const char* source)
{
    return QCoreApplication::translate("ImportDialog", source);
}

QString automatic(const QString& found)
{
    return found.isEmpty() ? text("Automatic") : text("Automatic (%1)").arg(found);
}

QString lines(int first, int last)
{
    return first == last ? text("line %1 skipped").arg(first) : text("lines %1-%2 skipped").arg(first).arg(last);
}

} // namespace

QStringList ImportChoices::separatorItems()
{
    return {text("Automatic"), text("TAB"), text("Semicolon ;"), text("Comma ,"), text("Bar |"), text("Blanks"),
            text("Colon :")};
}

char ImportChoices::separatorAt(int index)
{
    return index > 0 && index < int(std::size(kSeparators)) ? kSeparators[index] : 0;
}

// TAB and blanks are invisible, so they are named as in the list.
QString ImportChoices::automaticSeparator(char found)
{
    if (found == '\t')
        return automatic(text("TAB"));
    if (found == ' ')
        return automatic(text("Blanks"));
    return automatic(found ? QString(QChar::fromLatin1(found)) : QString());
}

QStringList ImportChoices::decimalItems()
{
    return {text("Automatic"), text("Point"), text("Comma")};
}

TableOptions::DecimalMark ImportChoices::decimalAt(int index)
{
    if (index == 1)
        return TableOptions::DecimalMark::Point;
    return index == 2 ? TableOptions::DecimalMark::Comma : TableOptions::DecimalMark::Automatic;
}

// A reading that takes commas as decimal marks still reads points; the comma is in use only
// where a column of numbers holds one.
QString ImportChoices::automaticDecimal(const TablePreview& preview)
{
    const TableShape& shape = preview.shape;
    if (!preview.problem.isEmpty())
        return automatic(QString());
    if (shape.reading.decimalComma && shape.separator != ',') {
        for (const QStringList& row : preview.rows) {
            for (int j = 0; j < row.size() && j < int(shape.kinds.size()); ++j) {
                if (shape.kinds[std::size_t(j)] == TableField::Kind::Number && row[j].contains(QLatin1Char(',')))
                    return automatic(text("Comma"));
            }
        }
    }
    return automatic(text("Point"));
}

QString ImportChoices::xColumnAt(int index)
{
    if (index <= 0)
        return QString();
    return index == 1 ? QStringLiteral("none") : QString::number(index - kFirstColumnItem + 1);
}

QString ImportChoices::automaticXColumn(const TableShape& shape)
{
    if (!shape.problem.isEmpty() || shape.kinds.empty())
        return automatic(QString());
    if (shape.xColumn == TableShape::kRowNumbers)
        return automatic(text("row numbers"));
    return automatic(columnItem(shape, shape.xColumn));
}

QString ImportChoices::columnName(const TableShape& shape, int column)
{
    const QString name = column >= 0 && column < shape.names.size() ? shape.names[column] : QString();
    return name.isEmpty() ? text("Column %1").arg(column + 1) : name;
}

QString ImportChoices::columnItem(const TableShape& shape, int column)
{
    return QStringLiteral("%1: %2").arg(column + 1).arg(columnName(shape, column));
}

// The shape counts lines from the first one after the user's skip.
QString ImportChoices::found(const TablePreview& preview, int skip)
{
    const TableShape& shape = preview.shape;
    if (!preview.problem.isEmpty() && shape.kinds.empty())
        return text("No table found");
    const int offset = std::max(skip, 0) + 1;
    QStringList parts;
    if (shape.headerLine == TableShape::kNone)
        parts << text("No header");
    else
        parts << text("Header in line %1").arg(shape.headerLine + offset);
    if (shape.unitsLine != TableShape::kNone)
        parts << text("units in line %1").arg(shape.unitsLine + offset);
    parts << text("data from line %1").arg(int(shape.firstDataLine) + offset);
    const int start = (shape.headerLine == TableShape::kNone ? int(shape.firstDataLine) : shape.headerLine) + offset;
    if (start > 1)
        parts << lines(1, start - 1);
    return parts.join(QLatin1String(", "));
}
