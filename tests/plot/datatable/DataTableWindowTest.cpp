#include "CurveRecord.h"
#include "PlotServerFixture.h"
#include "QStringPrinter.h"
#include "datatable/CurveTableModel.h"
#include "datatable/DataTableWindow.h"
#include "derive/DerivePanel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <qwt_plot_marker.h>

#include <limits>

namespace {

class DataTableWindowTest : public PlotServerFixture<>
{
protected:
    DataTableWindowTest()
    {
        const double x[] = {0, 0.5, 1, 1.5};
        const double y[] = {4, std::numeric_limits<double>::quiet_NaN(), 0.1, 7};
        server.createPlot(-1, "volts", 4, x, y, false, 0);
        server.createPlot(-1, "amps", 2, x, y, false, 0);
        server.selectCurve(0);
        QTest::mouseClick(server.findChild<QPushButton*>("dataPB"), Qt::LeftButton);
    }

    DataTableWindow* window() { return server.findChild<DataTableWindow*>("dataTable"); }
    QTableView* view() { return window()->view(); }

    void clickRow(int row)
    {
        const QModelIndex index = view()->model()->index(row, 1);
        view()->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        emit view()->clicked(index);
    }
};

TEST_F(DataTableWindowTest, DataShowsTheSelectedCurveInAWindowOfItsOwn)
{
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(prompt->count("window"), 1);
    EXPECT_EQ(prompt->calls.back().title, "Data: volts");
    EXPECT_EQ(window()->curve(), 0);
    EXPECT_EQ(window()->model().rowCount(), 4);
    EXPECT_EQ(server.findChildren<DataTableWindow*>().size(), 1);
}

TEST_F(DataTableWindowTest, CopyPutsTheSelectedRowsOnTheClipboard)
{
    clickRow(3);
    clickRow(0);
    view()->findChild<QAction*>("dataCopyAction")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "0\t0\t4\n3\t1.5\t7\n");
}

// A click moves the marker to the point; a point with a gap hides it.
TEST_F(DataTableWindowTest, AClickMovesTheMarkerToThePoint)
{
    EXPECT_EQ(window()->marker(), nullptr);
    clickRow(2);
    ASSERT_NE(window()->marker(), nullptr);
    EXPECT_EQ(window()->marker()->value(), QPointF(1, 0.1));
    EXPECT_TRUE(window()->marker()->isVisible());
    EXPECT_EQ(window()->marker()->plot(), server.plot());
    clickRow(1);
    EXPECT_FALSE(window()->marker()->isVisible());
}

TEST_F(DataTableWindowTest, TheWindowFollowsTheSelectedCurveAndGoesWithIt)
{
    server.selectCurve(1);
    server.derivePanel().showData();
    EXPECT_EQ(window()->curve(), 1);
    EXPECT_EQ(window()->model().rowCount(), 2);
    EXPECT_EQ(server.findChildren<DataTableWindow*>().size(), 1);
    window()->show();
    server.deletePlot(1);
    EXPECT_EQ(window()->curve(), -1);
    EXPECT_EQ(window()->model().rowCount(), 0);
    EXPECT_TRUE(window()->isHidden());
}

} // namespace
