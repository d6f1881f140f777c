#include "PlotServerFixture.h"
#include "LogCollector.h"
#include "PointLimit.h"
#include "ScriptedPrompt.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTest>

#include <gtest/gtest.h>

#include <qwt_legend.h>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

class PlotServerTest : public PlotServerFixture<>
{
protected:
    PlotServerTest() { LogCollector::lines().clear(); }

    // Adds a curve whose x runs 0..n-1 and whose y is offset + x.
    void addCurve(int id, double offset = 0.0, unsigned int n = 4, const QString& name = "f(y)",
                  int rightAxis = 0)
    {
        std::vector<double> x(n), y(n);
        for (unsigned int i = 0; i < n; ++i) {
            x[i] = i;
            y[i] = offset + i;
        }
        server.createPlot(id, name, n, x.data(), y.data(), false, rightAxis);
    }

    QwtInterval axis(int axisId) const
    {
        return server.plot()->axisScaleDiv(axisId).interval();
    }

    int drawnCurves() const
    {
        return server.plot()->itemList(QwtPlotItem::Rtti_PlotCurve).size();
    }

    QColor colour(int id) const { return server.curvePen(id).color(); }

};

TEST_F(PlotServerTest, AutomaticIdentifiersCountUpWithDefaultColours)
{
    addCurve(-1);
    addCurve(-1);
    addCurve(-1);
    EXPECT_EQ(server.curves(), 3);
    EXPECT_EQ(server.currentCurve(), 2);
    EXPECT_EQ(colour(0), QColor(Qt::darkRed));
    EXPECT_EQ(colour(1), QColor(Qt::darkBlue));
    EXPECT_EQ(colour(2), QColor(Qt::darkGreen));
}

TEST_F(PlotServerTest, ExplicitIdentifierSetsTheCounterAndLeavesGaps)
{
    addCurve(5);
    EXPECT_EQ(server.curves(), 6);
    EXPECT_EQ(colour(5), QColor(Qt::darkMagenta));
    for (int id = 0; id < 5; ++id)
        EXPECT_EQ(server.record(id), nullptr) << id;
    EXPECT_EQ(server.findCurveByTitle("f(y)"), 5);
}

TEST_F(PlotServerTest, SeventeenthCurveRepeatsTheFirstColour)
{
    for (int i = 0; i < 17; ++i)
        addCurve(-1);
    EXPECT_EQ(colour(16), QColor(Qt::darkRed));
    EXPECT_EQ(colour(15), QColor(Qt::lightGray));
}

TEST_F(PlotServerTest, AxesFitTheNewestCurveOnly)
{
    addCurve(-1, -100.0, 50);
    addCurve(-1, 10.0, 4);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).minValue(), 0.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).maxValue(), 3.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).minValue(), 10.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).maxValue(), 13.0);
    EXPECT_EQ(server.dataRange(), QRectF(QPointF(0, 10), QPointF(3, 13)));
}

TEST_F(PlotServerTest, RightAxisCurveAlsoSetsTheLeftAxis)
{
    EXPECT_FALSE(server.plot()->axisEnabled(QwtPlot::yRight));
    addCurve(-1, 5.0, 4, "right", 7);
    EXPECT_TRUE(server.plot()->axisEnabled(QwtPlot::yRight));
    EXPECT_EQ(server.record(0)->curve->yAxis(), QwtPlot::yRight);
    EXPECT_EQ(server.record(0)->rightAxis, 7);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).minValue(), 5.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).maxValue(), 8.0);
}

TEST_F(PlotServerTest, CallerMayFreeItsArraysAtOnce)
{
    auto* x = new double[3]{1.0, 2.0, 3.0};
    auto* y = new double[3]{4.0, 5.0, 6.0};
    server.createPlot(-1, "freed", 3, x, y, true, 0);
    delete[] x;
    delete[] y;
    const QwtPlotCurve* curve = server.record(0)->curve;
    ASSERT_EQ(curve->dataSize(), 3u);
    EXPECT_EQ(curve->sample(2), QPointF(3.0, 6.0));
    EXPECT_EQ(server.record(0)->samples, 3u);
}

TEST_F(PlotServerTest, ReusedIdentifierReplacesTheOldCurve)
{
    addCurve(2, 0.0);
    addCurve(2, 100.0);
    EXPECT_EQ(drawnCurves(), 1);
    EXPECT_DOUBLE_EQ(server.record(2)->curve->sample(0).y(), 100.0);
}

TEST_F(PlotServerTest, EmptyCurveLeavesTheAxesAlone)
{
    addCurve(-1, 10.0, 4);
    server.createPlot(-1, "empty", 0, nullptr, nullptr, false, 0);
    EXPECT_EQ(server.record(1)->curve->dataSize(), 0u);
    EXPECT_EQ(server.record(1)->samples, 0u);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).minValue(), 10.0);
    server.setPlot(0, 0, nullptr, nullptr);
    EXPECT_EQ(server.record(0)->curve->dataSize(), 0u);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).maxValue(), 13.0);
}

TEST_F(PlotServerTest, NonFiniteSamplesStayOffTheAxes)
{
    const double inf = std::numeric_limits<double>::infinity();
    double x[] = {std::nan(""), 1, 2, inf};
    double y[] = {-inf, 4, 8, std::nan("")};
    server.createPlot(-1, "gaps", 4, x, y, false, 0);
    EXPECT_EQ(server.record(0)->curve->dataSize(), 4u);
    EXPECT_EQ(server.dataRange(), QRectF(QPointF(1, 4), QPointF(2, 8)));
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).maxValue(), 8.0);
}

// The right axis fits itself to its curves: gaps and infinities must not become its limits.
TEST_F(PlotServerTest, GapsStayOffTheRightAxis)
{
    const double inf = std::numeric_limits<double>::infinity();
    double x[] = {0, 1, 2, 3, 4};
    double y[] = {std::nan(""), -2, inf, 6, std::nan("")};
    server.createPlot(-1, "right", 5, x, y, false, 1);
    server.plot()->replot();
    EXPECT_LE(axis(QwtPlot::yRight).minValue(), -2.0);
    EXPECT_GE(axis(QwtPlot::yRight).maxValue(), 6.0);
    EXPECT_LT(axis(QwtPlot::yRight).maxValue(), 100.0);
}

TEST_F(PlotServerTest, SetPlotKeepsAppearanceAndFitsTheCurvesAxis)
{
    addCurve(-1);
    QPen pen(Qt::cyan, 3, Qt::DashLine);
    server.record(0)->curve->setPen(pen);
    double x[] = {10, 20};
    double y[] = {-1, 1};
    server.setPlot(0, 2, x, y);
    EXPECT_EQ(server.curvePen(0), pen);
    EXPECT_EQ(server.record(0)->samples, 2u);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).minValue(), 10.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).minValue(), -1.0);
    EXPECT_EQ(server.curves(), 1);

    server.setPlot(0, 2, x, y, -5, 5, -50, 50);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).maxValue(), 5.0);
    EXPECT_EQ(server.dataRange(), QRectF(QPointF(-5, -50), QPointF(5, 50)));
}

TEST_F(PlotServerTest, SetPlotOfAnAbsentIdentifierDoesNothing)
{
    addCurve(-1);
    double x[] = {10, 20};
    double y[] = {-1, 1};
    server.setPlot(4, 2, x, y);
    EXPECT_EQ(server.record(4), nullptr);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).maxValue(), 3.0);
}

// A curve keeps x and y each in one Qt vector: more points than that holds are refused
// before the arrays are read, with a log line, and the plot stays as it was.
TEST_F(PlotServerTest, CountsNoCurveHoldsAreRefusedWithALogLine)
{
    server.setLogCallback(LogCollector::collect);
    addCurve(-1);
    const double few[] = {7, 8};
    const unsigned int tooMany = unsigned(kMaxCurvePoints) + 1;
    server.createPlot(-1, "huge", tooMany, few, few, false, 0);
    server.setPlot(0, tooMany, few, few);
    server.setPlot(0, tooMany, few, few, 0, 1, 0, 1);
    EXPECT_EQ(server.curves(), 1);
    EXPECT_EQ(drawnCurves(), 1);
    EXPECT_EQ(server.record(0)->curve->dataSize(), 4u);
    const QString refused = QStringLiteral("Kurvo: %1 points are more than one curve can hold.").arg(tooMany);
    EXPECT_EQ(LogCollector::lines().count(refused), 3) << LogCollector::lines().join('\n').toStdString();
}

TEST_F(PlotServerTest, DeletePlotRemovesOnlyThatCurve)
{
    addCurve(-1, 0.0);
    addCurve(-1, 10.0);
    addCurve(-1, 20.0);
    server.deletePlot(1);
    EXPECT_EQ(server.record(1), nullptr);
    EXPECT_EQ(drawnCurves(), 2);
    EXPECT_EQ(colour(0), QColor(Qt::darkRed));
    EXPECT_EQ(colour(2), QColor(Qt::darkGreen));
    EXPECT_DOUBLE_EQ(server.record(2)->curve->sample(0).y(), 20.0);
    EXPECT_EQ(server.curves(), 3);
    EXPECT_EQ(server.currentCurve(), -1);
    EXPECT_EQ(server.findChild<QLabel*>("selectedCurveLabel")->text(), "Selected curve: none");
    EXPECT_EQ(prompt->count("warning"), 0);

    server.deletePlot(0);
    server.deletePlot(2);
    EXPECT_EQ(server.curves(), 0);
    EXPECT_EQ(server.plot()->itemList(QwtPlotItem::Rtti_PlotMarker).size(), 4);
    addCurve(-1);
    EXPECT_EQ(server.currentCurve(), 0);
    EXPECT_EQ(colour(0), QColor(Qt::darkRed));
}

TEST_F(PlotServerTest, DeletingAnAbsentCurveWarns)
{
    addCurve(-1);
    server.deletePlot(-1);
    server.deletePlot(7);
    ASSERT_EQ(prompt->count("warning"), 2);
    EXPECT_EQ(prompt->calls[0].title, "CURVE DELETE ERROR");
    EXPECT_EQ(prompt->calls[0].label, "Identifier not found!");
    EXPECT_EQ(drawnCurves(), 1);

    server.deletePlot(0);
    server.erase();
    EXPECT_EQ(prompt->count("warning"), 3);
}

TEST_F(PlotServerTest, EraseRemovesTheCurrentCurve)
{
    addCurve(-1);
    addCurve(-1);
    QTest::mouseClick(server.findChild<QToolButton*>("plotEraseTB"), Qt::LeftButton);
    EXPECT_EQ(server.record(1), nullptr);
    ASSERT_NE(server.record(0), nullptr);
}

TEST_F(PlotServerTest, LegendClickSelectsTheClickedCurveAmongEqualTitles)
{
    server.show();
    addCurve(-1);
    addCurve(-1);
    addCurve(-1);
    server.record(2)->curve->setTitle("other");
    QCoreApplication::processEvents();
    auto* legend = qobject_cast<QwtLegend*>(server.plot()->legend());
    ASSERT_NE(legend, nullptr);
    server.setLogCallback(LogCollector::collect);

    QWidget* entry = legend->legendWidget(server.plot()->itemToInfo(server.record(1)->curve));
    ASSERT_NE(entry, nullptr);
    QTest::mouseClick(entry, Qt::LeftButton);

    EXPECT_EQ(server.currentCurve(), 1);
    EXPECT_EQ(server.findChild<QLabel*>("selectedCurveLabel")->text(), "Selected curve: f(y)");
    EXPECT_EQ(prompt->count("menu"), 1);
    EXPECT_TRUE(LogCollector::lines().contains("selectedId = 1, f(y)"));
    EXPECT_EQ(server.findCurveByTitle("f(y)"), 0);
    EXPECT_EQ(server.findCurveByTitle("other"), 2);
    EXPECT_EQ(server.findCurveByTitle("none"), -1);
}

TEST_F(PlotServerTest, CreatingACurveKeepsTheSelectedLabel)
{
    addCurve(-1);
    server.legendClickedSlot(server.plot()->itemToInfo(server.record(0)->curve), 0);
    addCurve(-1, 0.0, 4, "second");
    EXPECT_EQ(server.currentCurve(), 1);
    EXPECT_EQ(server.findChild<QLabel*>("selectedCurveLabel")->text(), "Selected curve: f(y)");
}

TEST_F(PlotServerTest, ClearMarkersPutsAllFourAtZero)
{
    for (int i = 0; i < 4; ++i)
        server.peakMarker(i)->setXValue(10.0 + i);
    QTest::mouseClick(server.findChild<QPushButton*>("clearPB"), Qt::LeftButton);
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(server.peakMarker(i)->xValue(), 0.0);
    EXPECT_EQ(server.peakMarker(0)->linePen().color(), QColor(Qt::darkGreen));
    EXPECT_EQ(server.peakMarker(3)->linePen().style(), Qt::DashDotLine);
}

TEST_F(PlotServerTest, LogLinesAreCutAtTheBufferAndReadAsLocalText)
{
    server.setLogCallback(LogCollector::collect);
    const std::string longText(5000, 'a');
    EXPECT_EQ(server.logMessage("%s", longText.c_str()), 4095);
    ASSERT_EQ(LogCollector::lines().size(), 1);
    EXPECT_EQ(LogCollector::lines()[0].size(), 4095);

    const QByteArray name = QString::fromUtf8("Kurvo: Messdaten-\u00fcber-\u00e9t\u00e9.csv").toLocal8Bit();
    server.logMessage("%s", name.constData());
    EXPECT_EQ(LogCollector::lines()[1], QString::fromUtf8("Kurvo: Messdaten-\u00fcber-\u00e9t\u00e9.csv"));
}

TEST_F(PlotServerTest, LoggingWithoutACallbackIsQuiet)
{
    server.setLogCallback(nullptr);
    EXPECT_EQ(server.logMessage("Sx = %lf, Sy = %lf", 1.0, 2.0), 28);
    EXPECT_TRUE(LogCollector::lines().isEmpty());
}

} // namespace
