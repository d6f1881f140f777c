#include "PlotServerFixture.h"
#include "LogCollector.h"
#include "ScriptedPrompt.h"
#include "AxesController.h"
#include "CurveStore.h"
#include "PlotServerUi.h"
#include "Zoomer.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_magnifier.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_picker.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_map.h>
#include <qwt_scale_widget.h>

#include <vector>

namespace {

class AxesControllerTest : public PlotServerFixture<>
{
protected:
    AxesControllerTest()
    {
        server.setLogCallback(LogCollector::collect);
        server.resize(800, 600);
        server.show();
        LogCollector::lines().clear();
    }

    void addCurve(std::vector<double> x, std::vector<double> y)
    {
        server.createPlot(-1, "f(y)", unsigned(x.size()), x.data(), y.data(), false, 0);
    }

    QDoubleSpinBox* spin(const char* name) { return server.findChild<QDoubleSpinBox*>(name); }
    QwtInterval axis(int axisId) const { return server.plot()->axisScaleDiv(axisId).interval(); }
    QString cell(int row, int column) const
    {
        return server.findChild<QTableWidget*>("statisticsWD")->item(row, column)->text();
    }
};

TEST_F(AxesControllerTest, NavigationIsSetUpByBegin)
{
    QWidget* canvas = server.plot()->canvas();
    auto* magnifier = canvas->findChild<QwtPlotMagnifier*>();
    ASSERT_NE(magnifier, nullptr);
    EXPECT_FALSE(magnifier->isAxisEnabled(QwtPlot::xBottom));
    EXPECT_TRUE(magnifier->isAxisEnabled(QwtPlot::yLeft));
    auto* panner = canvas->findChild<QwtPlotPanner*>();
    ASSERT_NE(panner, nullptr);
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    panner->getMouseButton(button, modifiers);
    EXPECT_EQ(button, Qt::MiddleButton);
    EXPECT_EQ(server.bottomLeftZoomer(), nullptr);
}

TEST_F(AxesControllerTest, ZoomerPatternsAndRebuild)
{
    addCurve({0, 1, 2, 3}, {0, 10, 20, 30});
    Zoomer* zoomer = server.bottomLeftZoomer();
    ASSERT_NE(zoomer, nullptr);
    const QVector<QwtEventPattern::MousePattern> patterns = zoomer->mousePattern();
    EXPECT_EQ(patterns[QwtEventPattern::MouseSelect1].button, Qt::LeftButton);
    EXPECT_EQ(patterns[QwtEventPattern::MouseSelect2].button, Qt::RightButton);
    EXPECT_EQ(patterns[QwtEventPattern::MouseSelect2].modifiers, Qt::ControlModifier);
    EXPECT_EQ(patterns[QwtEventPattern::MouseSelect3].button, Qt::RightButton);
    EXPECT_EQ(patterns[QwtEventPattern::MouseSelect3].modifiers, Qt::NoModifier);
    EXPECT_EQ(zoomer->trackerMode(), QwtPicker::ActiveOnly);
    EXPECT_EQ(zoomer->rubberBand(), QwtPicker::RectRubberBand);
    EXPECT_EQ(zoomer->zoomBase(), QRectF(0, 0, 3, 30));
}

TEST_F(AxesControllerTest, RectangleZoomFillsTheSpinBoxesWithoutMovingTheStoredRange)
{
    addCurve({0, 1, 2, 3}, {0, 10, 20, 30});
    server.bottomLeftZoomer()->zoom(QRectF(QPointF(1, 5), QPointF(2, 15)));
    EXPECT_DOUBLE_EQ(spin("horStartSB")->value(), 1.0);
    EXPECT_DOUBLE_EQ(spin("horStopSB")->value(), 2.0);
    EXPECT_DOUBLE_EQ(spin("verLowSB")->value(), 5.0);
    EXPECT_DOUBLE_EQ(spin("verHighSB")->value(), 15.0);
    EXPECT_EQ(server.dataRange(), QRectF(QPointF(0, 0), QPointF(3, 30)));
    EXPECT_TRUE(LogCollector::lines().contains("Sx = 1.000000, Sy = 5.000000"));
    EXPECT_TRUE(LogCollector::lines().contains("Dx = 2.000000, Dy = 15.000000"));

    spin("verLowSB")->setValue(-4.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).minValue(), -4.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).maxValue(), 30.0);
}

TEST_F(AxesControllerTest, NewCurveStartsAFreshZoomStack)
{
    addCurve({0, 1, 2, 3}, {0, 10, 20, 30});
    server.bottomLeftZoomer()->zoom(QRectF(QPointF(1, 5), QPointF(2, 15)));
    addCurve({100, 200}, {-1, 1});
    Zoomer* zoomer = server.bottomLeftZoomer();
    EXPECT_EQ(zoomer->zoomRectIndex(), 0u);
    EXPECT_EQ(zoomer->zoomStack().size(), 1);
    EXPECT_EQ(zoomer->zoomBase(), QRectF(QPointF(100, -1), QPointF(200, 1)));
    zoomer->zoom(-1);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).minValue(), 100.0);
}

TEST_F(AxesControllerTest, RangeSlotsSetTheirAxisAndAllowInvertedLimits)
{
    addCurve({0, 1, 2, 3}, {0, 10, 20, 30});
    spin("horStopSB")->setValue(50.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).maxValue(), 50.0);
    spin("horStartSB")->setValue(60.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).minValue(), 60.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).maxValue(), 50.0);
    spin("verHighSB")->setValue(7.0);
    EXPECT_DOUBLE_EQ(axis(QwtPlot::yLeft).maxValue(), 7.0);
    server.setHorizRange(-2, 2);
    EXPECT_EQ(server.dataRange(), QRectF(QPointF(-2, 0), QPointF(2, 7)));
}

TEST_F(AxesControllerTest, LogarithmicAxesSwitchOnAndOff)
{
    addCurve({1, 10, 100}, {1, 2, 3});
    server.logXaxysSlot(true);
    EXPECT_NE(dynamic_cast<const QwtLogScaleEngine*>(server.plot()->axisScaleEngine(QwtPlot::xBottom)),
              nullptr);
    server.logYaxysSlot(true);
    EXPECT_NE(dynamic_cast<const QwtLogScaleEngine*>(server.plot()->axisScaleEngine(QwtPlot::yLeft)),
              nullptr);
    server.logXaxysSlot(false);
    const QwtScaleEngine* linear = server.plot()->axisScaleEngine(QwtPlot::xBottom);
    EXPECT_NE(dynamic_cast<const QwtLinearScaleEngine*>(linear), nullptr);
    EXPECT_DOUBLE_EQ(linear->base(), 10.0);
}

TEST_F(AxesControllerTest, CalibrationSpreadsXOverTheGivenSpan)
{
    addCurve({5, 6, 7, 8}, {1, 2, 3, 4});
    server.setHorCalibration(1000.0);
    const QwtPlotCurve* curve = server.record(0)->curve;
    const double expected[] = {0, 250, 500, 750};
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(curve->sample(i).x(), expected[i]);
        EXPECT_DOUBLE_EQ(curve->sample(i).y(), i + 1.0);
    }
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).maxValue(), 750.0);
    EXPECT_DOUBLE_EQ(spin("horStopSB")->value(), 750.0);
    EXPECT_DOUBLE_EQ(server.horCalibration(), 1000.0);
}

TEST_F(AxesControllerTest, CalibrationWithoutCurvesOnlyStoresTheValue)
{
    server.setHorCalibration(48000.0);
    EXPECT_DOUBLE_EQ(server.horCalibration(), 48000.0);
    addCurve({5, 6}, {1, 2});
    EXPECT_DOUBLE_EQ(server.record(0)->curve->sample(1).x(), 6.0);
}

TEST_F(AxesControllerTest, CalibrationSkipsEmptyCurvesAndFitsAll)
{
    addCurve({0, 1}, {1, 2});
    server.createPlot(-1, "empty", 0, nullptr, nullptr, false, 0);
    addCurve({0, 1, 2, 3}, {-5, 0, 5, 10});
    server.setHorCalibration(8.0);
    EXPECT_EQ(server.record(1)->curve->dataSize(), 0u);
    EXPECT_DOUBLE_EQ(server.record(0)->curve->sample(1).x(), 4.0);
    EXPECT_EQ(server.dataRange(), QRectF(QPointF(0, -5), QPointF(6, 10)));
}

TEST_F(AxesControllerTest, FitAllCurvesWithNoCurvesLeavesTheAxesAlone)
{
    server.setHorizRange(3, 4);
    server.fitAllCurves();
    EXPECT_DOUBLE_EQ(axis(QwtPlot::xBottom).minValue(), 3.0);
}

TEST_F(AxesControllerTest, StatisticsTableShowsTheNewestCurve)
{
    addCurve({0, 1, 2, 3}, {1, 2, 3, 4});
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_EQ(cell(1, 5), "1.11803");
    EXPECT_EQ(cell(0, 7), "5.47723");
    EXPECT_EQ(cell(2, 3), "4");
    addCurve({0, 1}, {1234567.0, 0.5});
    EXPECT_EQ(cell(1, 1), "1.23457e+06");
    EXPECT_EQ(cell(0, 1), "0.5");
    auto* value = server.findChild<QTableWidget*>("statisticsWD")->item(0, 1);
    EXPECT_EQ(value->textAlignment(), int(Qt::AlignHCenter));
    EXPECT_EQ(value->foreground().color(), QColor(Qt::darkRed));
    EXPECT_EQ(value->toolTip(), "Minimum value");
    EXPECT_EQ(server.record(0)->samples, 4u);
    EXPECT_DOUBLE_EQ(server.record(0)->rms, 2.7386127875258306);
}

TEST_F(AxesControllerTest, EmptyCurveShowsZeroSamples)
{
    server.createPlot(-1, "empty", 0, nullptr, nullptr, false, 0);
    EXPECT_EQ(cell(2, 3), "0");
    EXPECT_EQ(cell(1, 7), "0");
}

// However small the canvas, neighbouring tick labels never touch.
// Neighbouring major tick labels of both axes leave a gap between them.
void expectTickLabelsApart(const QwtPlot& plot, const QSize& size)
{
    for (int axisId : {int(QwtPlot::xBottom), int(QwtPlot::yLeft)}) {
        const QwtScaleWidget* widget = plot.axisWidget(axisId);
        const QwtScaleMap map = plot.canvasMap(axisId);
        const QList<double> ticks = plot.axisScaleDiv(axisId).ticks(QwtScaleDiv::MajorTick);
        ASSERT_GE(ticks.size(), 2) << size.width();
        for (int i = 1; i < ticks.size(); ++i) {
            const QSizeF label = widget->scaleDraw()->labelSize(widget->font(), ticks[i]);
            const double gap = std::abs(map.transform(ticks[i]) - map.transform(ticks[i - 1]));
            EXPECT_GT(gap, axisId == QwtPlot::xBottom ? label.width() : label.height())
                << size.width() << "x" << size.height() << " at " << ticks[i];
        }
    }
}

TEST(AxesControllerTicksTest, TickLabelsNeverOverlap)
{
    QwtPlot plot;
    PlotServerUi noPanel;
    CurveStore noCurves(&plot);
    AxesController axes(&plot, noCurves, noPanel);
    plot.setAxisScale(QwtPlot::xBottom, 0, 3000);
    plot.setAxisScale(QwtPlot::yLeft, 0, 1000000);
    plot.show();
    for (const QSize size : {QSize(160, 240), QSize(260, 300), QSize(600, 400), QSize(1400, 900)}) {
        plot.resize(size);
        QCoreApplication::processEvents();
        plot.replot();
        expectTickLabelsApart(plot, size);
    }
    EXPECT_GE(plot.canvas()->minimumHeight(), 100);
}

// An empty plot is redrawn by nobody else when the window shrinks: its axes thin out their
// labels all the same.
TEST_F(AxesControllerTest, EmptyPlotThinsItsLabelsWhenTheWindowShrinks)
{
    for (const QSize size : {QSize(360, 300), QSize(600, 400), QSize(1400, 900)}) {
        server.resize(size);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        expectTickLabelsApart(*server.plot(), size);
    }
}

// Data that start at 0 would put a logarithmic axis at 1e-100 and squash the curve.
TEST_F(AxesControllerTest, LogarithmicAxisStartsAtTheSmallestPositiveValue)
{
    addCurve({0, 1, 10, 100}, {0, 0.5, 20, 1000});
    server.logYaxysSlot(true);
    server.logXaxysSlot(true);
    EXPECT_EQ(axis(QwtPlot::yLeft).minValue(), 0.5);
    EXPECT_EQ(axis(QwtPlot::yLeft).maxValue(), 1000);
    EXPECT_EQ(axis(QwtPlot::xBottom).minValue(), 1);
}

} // namespace

namespace {

// Before any curve the Range tab shows the limits the empty plot shows.
TEST_F(AxesControllerTest, RangeTabShowsTheVisibleLimitsAtStart)
{
    QCoreApplication::processEvents();
    const QwtInterval x = axis(QwtPlot::xBottom);
    const QwtInterval y = axis(QwtPlot::yLeft);
    EXPECT_LT(y.minValue(), y.maxValue());
    EXPECT_EQ(spin("verLowSB")->value(), y.minValue());
    EXPECT_EQ(spin("verHighSB")->value(), y.maxValue());
    EXPECT_EQ(spin("horStartSB")->value(), x.minValue());
    EXPECT_EQ(spin("horStopSB")->value(), x.maxValue());
}

} // namespace
