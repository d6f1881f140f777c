#include "LogCollector.h"
#include "PeakPanel.h"
#include "PlotServerFixture.h"
#include "Zoomer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <qwt_plot_marker.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

class PeakPanelTest : public PlotServerFixture<>
{
protected:
    PeakPanelTest()
    {
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
        child<QToolButton>("peakTB")->setChecked(true);
        server.peakSlot(true);
    }

    template <typename T>
    T* child(const char* name) const
    {
        return server.findChild<T*>(QLatin1String(name));
    }

    void add(const std::vector<double>& x, const std::vector<double>& y)
    {
        server.createPlot(-1, "f(y)", unsigned(y.size()), x.data(), y.data(), false, 0);
    }

    void add(const std::vector<double>& y)
    {
        std::vector<double> x(y.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = double(i);
        add(x, y);
    }

    QStringList shown(const char* list) const
    {
        QStringList texts;
        const auto* widget = child<QListWidget>(list);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }

    QTemporaryDir dir;
};

TEST_F(PeakPanelTest, ListsMaximaAndMinimaOfTheNewCurve)
{
    add({0, 5, 0, 5, 0});
    EXPECT_EQ(shown("positivePeaks"), QStringList({"#000 :     1 >      1.000 =      5.000",
                                                   "#001 :     3 >      3.000 =      5.000"}));
    EXPECT_EQ(shown("negativePeaks"), QStringList({"#000 :     0 >      0.000 =      0.000",
                                                   "#001 :     2 >      2.000 =      0.000"}));
    EXPECT_EQ(server.peakPanel().entries(true), shown("positivePeaks"));

    child<QToolButton>("peakTB")->setChecked(false);
    add({0, 9, 0});
    EXPECT_EQ(shown("positivePeaks").size(), 2);
}

// A point missing its x or its y is no peak, and the scan runs on as if it were not there.
TEST_F(PeakPanelTest, GapsAreNoPeaks)
{
    const double nan = std::nan("");
    add({0, 1, 2, 3, 4, 5, 6, 7}, {nan, 0, 5, nan, 0, 9, 0, 5});
    EXPECT_EQ(shown("positivePeaks"), QStringList({"#000 :     2 >      2.000 =      5.000",
                                                   "#001 :     5 >      5.000 =      9.000"}));
    EXPECT_EQ(shown("negativePeaks"), QStringList({"#000 :     1 >      1.000 =      0.000",
                                                   "#001 :     4 >      4.000 =      0.000",
                                                   "#002 :     6 >      6.000 =      0.000"}));
    add({0, 1, 2, 3, nan, 5, 6}, {0, 5, 2, 0, 9, 0, 5});
    EXPECT_EQ(shown("positivePeaks"), QStringList({"#000 :     1 >      1.000 =      5.000"}));
    EXPECT_EQ(shown("negativePeaks"), QStringList({"#000 :     0 >      0.000 =      0.000",
                                                   "#001 :     3 >      3.000 =      0.000"}));
}

// Threshold 3 with the minimum −1 subtracted accepts a peak of 2.5; numbering keeps its gaps.
TEST_F(PeakPanelTest, ThresholdAndSubtraction)
{
    child<QDoubleSpinBox>("thresholdSB")->setValue(3);
    add({-1, 2.5, 0, 1, 0});
    EXPECT_TRUE(shown("positivePeaks").isEmpty());
    child<QCheckBox>("minimumCB")->setChecked(true);
    server.evaluateSlot();
    EXPECT_EQ(shown("positivePeaks"), QStringList({"#000 :     1 >      1.000 =      3.500"}));
    EXPECT_TRUE(shown("negativePeaks").isEmpty());
}

TEST_F(PeakPanelTest, UnitsFollowTheRangeTabsChoice)
{
    std::vector<double> x(1024);
    std::vector<double> y(1024, 0.0);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = double(i) * 100.0 / 512.0;
    y[100] = 1;
    y[300] = 1;
    y[512] = 3.2;
    child<QDoubleSpinBox>("deltaSB")->setValue(0.5);
    child<QComboBox>("unitsCB")->setCurrentText("Hz");
    add(x, y);
    ASSERT_EQ(shown("positivePeaks").size(), 3);
    EXPECT_EQ(shown("positivePeaks")[2], "#002 :   512 >    100.000Hz =      3.200");
}

// The points whose x the zoomed bottom axis shows, whatever the calibration.
TEST_F(PeakPanelTest, ZoomedCurveScansExactlyItsVisiblePoints)
{
    add({10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, {0, 5, 0, 5, 0, 5, 0, 5, 0, 5});
    server.bottomLeftZoomer()->zoom(QRectF(QPointF(12.5, -1), QPointF(16.5, 6)));
    EXPECT_EQ(shown("positivePeaks"), QStringList({"#000 :     5 >     15.000 =      5.000"}));
    EXPECT_EQ(shown("negativePeaks"), QStringList({"#000 :     4 >     14.000 =      0.000"}));

    server.bottomLeftZoomer()->zoom(QRectF(QPointF(12.2, -1), QPointF(12.8, 6)));
    EXPECT_TRUE(shown("positivePeaks").isEmpty());
    EXPECT_TRUE(shown("negativePeaks").isEmpty());
}

TEST_F(PeakPanelTest, ClickingAnEntryMovesItsMarker)
{
    add({0, 0.5, 1, 1.5, 2}, {0, 5, 0, 5, 0});
    auto* positive = child<QListWidget>("positivePeaks");
    auto* negative = child<QListWidget>("negativePeaks");
    // Parked markers mark nothing and are not drawn.
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(server.peakMarker(i)->isVisible()) << i;
    emit positive->itemClicked(positive->item(1));
    EXPECT_EQ(server.peakMarker(0)->xValue(), 1.5);
    EXPECT_TRUE(server.peakMarker(0)->isVisible());
    emit negative->itemClicked(negative->item(1));
    EXPECT_EQ(server.peakMarker(2)->xValue(), 1.0);
    EXPECT_EQ(server.peakMarker(1)->xValue(), 0.0);

    // An entry that points outside the peak arrays moves nothing.
    positive->addItem("#009 : 99999 >      0.000 =      0.000");
    positive->addItem("no index here");
    emit positive->itemClicked(positive->item(2));
    emit positive->itemClicked(positive->item(3));
    EXPECT_EQ(server.peakMarker(0)->xValue(), 1.5);
    server.clearMarkers();
    EXPECT_FALSE(server.peakMarker(0)->isVisible());
    EXPECT_FALSE(server.peakMarker(2)->isVisible());
}

// Each value in its shortest exact form, CR LF line ends, the list of the tab shown.
TEST_F(PeakPanelTest, SavedListsReadBackToTheSameDoubles)
{
    add({0.1, 0.2, 0.30000000000000004, 0.4, 0.5}, {0, 2e-7, 0, 1.0 / 3, 0});
    child<QDoubleSpinBox>("deltaSB")->setValue(0);
    server.evaluateSlot();
    const QString path = dir.filePath("peaks.txt");
    ASSERT_TRUE(server.peakSave(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_EQ(text, "0.2, 2e-07\r\n0.4, 0.3333333333333333\r\n");
    EXPECT_EQ(std::strtod("0.3333333333333333", nullptr), 1.0 / 3);

    child<QTabWidget>("foundPeaks")->setCurrentIndex(1);
    ASSERT_TRUE(server.peakSave(path));
    file.seek(0);
    EXPECT_EQ(file.readAll(), "0.1, 0\r\n0.30000000000000004, 0\r\n");

    const QString nowhere = dir.filePath("missing/peaks.txt");
    EXPECT_FALSE(server.peakSave(nowhere));
    EXPECT_EQ(LogCollector::lines().back(), "Kurvo: Can't write file " + nowhere + ": No such file or directory");

    prompt->answers.push_back(dir.filePath("asked"));
    server.peakSave();
    EXPECT_EQ(prompt->calls.back().title, "EXPORT PEAKS");
    EXPECT_EQ(prompt->calls.back().dir, "./");
    EXPECT_TRUE(QFile::exists(dir.filePath("asked.txt")));

    prompt->answers.push_back(nowhere);
    server.peakSave();
    ASSERT_EQ(prompt->calls.back().kind, "warning");
    EXPECT_EQ(prompt->calls.back().title, "SAVE ERROR");
    EXPECT_EQ(prompt->calls.back().label, nowhere + ": No such file or directory");
}

} // namespace

namespace {

// A marker stands out from one-pixel curves and goes with the curve it marks.
TEST_F(PeakPanelTest, MarkerGoesWithItsCurve)
{
    add({0, 5, 0, 5, 0});
    const int marked = server.currentCurve();
    emit child<QListWidget>("positivePeaks")->itemClicked(child<QListWidget>("positivePeaks")->item(0));
    ASSERT_TRUE(server.peakMarker(0)->isVisible());
    EXPECT_GE(server.peakMarker(0)->linePen().width(), 2);

    add({1, 2, 1});
    server.deletePlot(server.currentCurve());
    EXPECT_TRUE(server.peakMarker(0)->isVisible()) << "another curve's erasure leaves it";
    server.deletePlot(marked);
    EXPECT_FALSE(server.peakMarker(0)->isVisible());
}

} // namespace
