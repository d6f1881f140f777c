#pragma once

#include <QAbstractTableModel>
#include <QVector>

#include <vector>

// The points of one curve as a table of index, x and y. It reads the curve's own arrays, which
// it shares instead of copying, and makes the text of a cell only when the view asks for it,
// so a curve of 10^7 points opens at once. Numbers read as the shortest text that gives back
// the same double; x that holds dates and times reads as a date in UTC (TimeText), to the
// millisecond. The text of a row is the same in the table, in what it copies and in the files
// kurvo-render writes from it.
class CurveTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Index, X, Y, ColumnCount };

    explicit CurveTableModel(QObject* parent = nullptr);

    // The vectors must be of equal length.
    void setCurve(const QVector<double>& x, const QVector<double>& y, bool xIsTime);
    double x(int row) const { return xs[row]; }
    double y(int row) const { return ys[row]; }

    QString cell(int row, int column) const;
    // The three cells of a row joined by `separator`.
    QString rowText(int row, QChar separator) const;
    // One line per row, tab-separated, each row once and in ascending order whatever order they
    // come in; every line ends with a newline. May throw std::bad_alloc.
    QString copyText(std::vector<int> rows) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<double> xs;
    QVector<double> ys;
    bool dates = false;
};
