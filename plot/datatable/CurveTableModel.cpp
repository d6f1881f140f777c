#include "CurveTableModel.h"

#include "TimeText.h"
#include "analysis/AnalysisFigures.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

CurveTableModel::CurveTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void CurveTableModel::setCurve(const QVector<double>& x, const QVector<double>& y, bool xIsTime)
{
    beginResetModel();
    xs = x;
    ys = y;
    dates = xIsTime;
    endResetModel();
}

QString CurveTableModel::cell(int row, int column) const
{
    if (column == Index)
        return QString::number(row);
    if (column == Y)
        return AnalysisFigures::exact(ys[row]);
    const double value = xs[row];
    if (dates && TimeText::showable(value))
        return TimeText::format(value, value != std::floor(value));
    return AnalysisFigures::exact(value);
}

QString CurveTableModel::rowText(int row, QChar separator) const
{
    return cell(row, Index) + separator + cell(row, X) + separator + cell(row, Y);
}

QString CurveTableModel::copyText(std::vector<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QString text;
    for (int row : rows)
        text += rowText(row, QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

int CurveTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ys.size();
}

int CurveTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CurveTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant CurveTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[] = {"index", "x", "y"};
    return QCoreApplication::translate("PlotServer", titles[section]);
}
