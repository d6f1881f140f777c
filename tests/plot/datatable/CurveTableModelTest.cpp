#include "QStringPrinter.h"
#include "datatable/CurveTableModel.h"

#include <gtest/gtest.h>

#include <QTableView>

#include <limits>

namespace {

QString display(const CurveTableModel& model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

// The cells are the arrays' own values, every digit of them.
TEST(CurveTableModelTest, CellsReadTheArraysWithEveryDigit)
{
    CurveTableModel model;
    model.setCurve({0.1 + 0.2, -1e-300, 2}, {1.0 / 3, std::numeric_limits<double>::quiet_NaN(), -0.0}, false);
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "x");
    EXPECT_EQ(display(model, 0, 0), "0");
    EXPECT_EQ(display(model, 0, 1), "0.30000000000000004");
    EXPECT_EQ(display(model, 0, 2), "0.3333333333333333");
    EXPECT_EQ(display(model, 1, 1), "-1e-300");
    EXPECT_EQ(display(model, 1, 2), "nan");
    EXPECT_EQ(display(model, 2, 0), "2");
    EXPECT_EQ(display(model, 2, 2), "-0");
}

// Dates in UTC, with milliseconds where there are any; outside what a date can show, the number.
TEST(CurveTableModelTest, DatesReadAsDates)
{
    CurveTableModel model;
    model.setCurve({1700000000, 1700000000.25, 1e300}, {1, 2, 3}, true);
    EXPECT_EQ(display(model, 0, 1), "2023-11-14 22:13:20");
    EXPECT_EQ(display(model, 1, 1), "2023-11-14 22:13:20.250");
    EXPECT_EQ(display(model, 2, 1), "1e+300");
}

// Rows come out once each, in order, tab-separated, whatever order they were selected in.
TEST(CurveTableModelTest, CopiedRowsAreTabSeparatedLinesInOrder)
{
    CurveTableModel model;
    model.setCurve({0, 0.5, 1}, {10, 1.0 / 3, 30}, false);
    EXPECT_EQ(model.copyText({2, 1, 2}), "1\t0.5\t0.3333333333333333\n2\t1\t30\n");
    EXPECT_EQ(model.copyText({}), "");
    EXPECT_EQ(model.rowText(0, ','), "0,0,10");
}

// Ten million rows open in a view at once: the model shares the arrays and makes no text
// before a cell is drawn.
TEST(CurveTableModelTest, TenMillionRowsOpenInAView)
{
    const int n = 10000000;
    QVector<double> x(n);
    for (int i = 0; i < n; ++i)
        x[i] = i;
    CurveTableModel model;
    model.setCurve(x, x, false);
    QTableView view;
    view.setModel(&model);
    view.scrollToBottom();
    EXPECT_EQ(model.rowCount(), n);
    EXPECT_EQ(model.rowText(n - 1, '\t'), "9999999\t9999999\t9999999");
    EXPECT_EQ(model.x(n - 1), double(n - 1));
}

} // namespace
