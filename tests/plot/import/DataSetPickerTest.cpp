#include "CurveStore.h"
#include "PlotServerFixture.h"
#include "QStringPrinter.h"

#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <netcdf.h>
#include <qwt_plot_curve.h>

namespace {

// Three variables over a coordinate: the picker lists all four and checks the three that are
// no coordinate.
class DataSetPickerTest : public PlotServerFixture<>
{
protected:
    DataSetPickerTest()
    {
        file = dir.filePath("series.nc");
        int nc = 0;
        nc_create(QFile::encodeName(file).constData(), NC_CLOBBER, &nc);
        int time = 0;
        nc_def_dim(nc, "time", 2, &time);
        int ids[4] = {};
        const char* names[] = {"time", "a", "b", "c"};
        for (int k = 0; k < 4; ++k)
            nc_def_var(nc, names[k], NC_DOUBLE, 1, &time, &ids[k]);
        nc_enddef(nc);
        for (int k = 0; k < 4; ++k) {
            const double values[2] = {double(k), double(k) + 0.5};
            nc_put_var_double(nc, ids[k], values);
        }
        nc_close(nc);
    }

    QStringList titles() const
    {
        QStringList list;
        for (const auto& entry : server.curveStore().records())
            list << entry.second->curve->title().text();
        return list;
    }

    QTemporaryDir dir;
    QString file;
};

QTreeWidget* treeOf(QDialog* picker)
{
    return picker->findChild<QTreeWidget*>("dataSetsTW");
}

TEST_F(DataSetPickerTest, TheSetsCheckedAreRead)
{
    QStringList offered;
    prompt->onDialog = [&](QDialog* picker) {
        QTreeWidget* tree = treeOf(picker);
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = tree->topLevelItem(i);
            offered << item->text(0) + (item->checkState(0) == Qt::Checked ? "+" : "-");
        }
        tree->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
        return int(QDialog::Accepted);
    };
    server.addCurve(-1, file, "series", false);
    EXPECT_EQ(prompt->count("dataSets"), 1);
    EXPECT_EQ(offered, QStringList({"time-", "a+", "b+", "c+"}));
    EXPECT_EQ(titles(), QStringList({"a", "c"}));
}

TEST_F(DataSetPickerTest, CancelReadsNothing)
{
    server.addCurve(-1, file, "series", false);
    EXPECT_EQ(prompt->count("dataSets"), 1);
    EXPECT_TRUE(titles().isEmpty());
}

// A part named with the file, or a file of another kind, asks nothing.
TEST_F(DataSetPickerTest, APartNamedIsReadWithoutAsking)
{
    server.addCurve(-1, file + ":b", "series", false);
    server.addCurve(-1, dir.filePath("none.nc") + ":b", "series", false);
    EXPECT_EQ(prompt->count("dataSets"), 0);
    EXPECT_EQ(titles(), QStringList{"b"});
}

} // namespace
