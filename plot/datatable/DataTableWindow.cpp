#include "DataTableWindow.h"

#include "CurveRecord.h"
#include "CurveStore.h"
#include "CurveTableModel.h"
#include "PlotLog.h"
#include "PlotTranslation.h"
#include "widgets/TableViews.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_symbol.h>

#include <cmath>
#include <new>
#include <vector>

DataTableWindow::DataTableWindow(QWidget* plotServer, QwtPlot* plot, const CurveStore& store, PlotLog& log)
    : QWidget(plotServer, Qt::Window)
    , plot(plot)
    , store(store)
    , log(log)
{
    setObjectName(QStringLiteral("dataTable"));
    resize(480, 600);
    table = new CurveTableModel(this);
    rows = new QTableView(this);
    rows->setObjectName(QStringLiteral("dataTableView"));
    rows->setModel(table);
    rows->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows->verticalHeader()->hide();
    // Rows of one height need no measuring, whatever their number.
    rows->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    rows->horizontalHeader()->setStretchLastSection(true);
    connect(TableViews::addCopyAction(rows, QStringLiteral("dataCopyAction")), &QAction::triggered, this,
            &DataTableWindow::copySelection);
    connect(rows, &QTableView::clicked, this, &DataTableWindow::markRow);
    connect(&store, &CurveStore::curveRemoved, this, &DataTableWindow::curveRemoved);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rows);
}

bool DataTableWindow::setCurve(int id)
{
    const CurveRecord* record = store.find(id);
    if (!record)
        return false;
    QVector<double> x;
    QVector<double> y;
    store.samples(id, x, y);
    table->setCurve(x, y, record->xIsTime);
    shown = id;
    setWindowTitle(translated("Data: %1").arg(record->curve->title().text()));
    return true;
}

// The selection is walked by its ranges, so that all of a long curve selected costs no list
// of every cell.
void DataTableWindow::copySelection()
{
    std::vector<int> selected;
    try {
        for (const QItemSelectionRange& range : rows->selectionModel()->selection()) {
            for (int row = range.top(); row <= range.bottom(); ++row)
                selected.push_back(row);
        }
        QApplication::clipboard()->setText(table->copyText(std::move(selected)));
    } catch (const std::bad_alloc&) {
        log.line(QStringLiteral("Kurvo: Not enough memory to copy the selected rows"));
    }
}

void DataTableWindow::markRow(const QModelIndex& index)
{
    const CurveRecord* record = store.find(shown);
    if (!index.isValid() || !record)
        return;
    if (!pointMarker) {
        pointMarker = new QwtPlotMarker;
        pointMarker->setSymbol(new QwtSymbol(QwtSymbol::Diamond, QBrush(Qt::yellow), QPen(Qt::black), QSize(11, 11)));
        pointMarker->attach(plot);
    }
    const double x = table->x(index.row());
    const double y = table->y(index.row());
    pointMarker->setYAxis(record->curve->yAxis());
    pointMarker->setValue(x, y);
    // A point with a gap has no place on the plot.
    pointMarker->setVisible(std::isfinite(x) && std::isfinite(y));
    plot->replot();
}

void DataTableWindow::curveRemoved(int id)
{
    if (id != shown)
        return;
    shown = -1;
    table->setCurve({}, {}, false);
    if (pointMarker)
        pointMarker->setVisible(false);
    hide();
}
