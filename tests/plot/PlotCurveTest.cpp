#include "PlotCurve.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <qwt_painter.h>
#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

#include <cmath>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

// Renders the same samples through the given curve on a bare plot.
QImage draw(QwtPlotCurve* curve, const std::vector<double>& x, const std::vector<double>& y,
            const QRectF& view, int penWidth = 1)
{
    QwtPlot plot;
    plot.setCanvasBackground(Qt::white);
    plot.setAxisScale(QwtPlot::xBottom, view.left(), view.right());
    plot.setAxisScale(QwtPlot::yLeft, view.top(), view.bottom());
    curve->setPen(QPen(Qt::black, penWidth));
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, false);
    curve->setSamples(x.data(), y.data(), int(x.size()));
    curve->attach(&plot);
    plot.replot();
    QImage image(500, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QwtPlotRenderer().render(&plot, &painter, image.rect());
    return image;
}

int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int row = 0; row < a.height(); ++row)
        for (int column = 0; column < a.width(); ++column)
            count += a.pixel(column, row) != b.pixel(column, row);
    return count;
}

class PlotCurveTest : public ::testing::TestWithParam<QRectF>
{
protected:
    PlotCurveTest()
    {
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0.0, 0.2);
        for (int i = 0; i < 200000; ++i) {
            x.push_back(i * 1e-4);
            y.push_back(std::sin(x.back() * 3.0) + noise(random));
        }
    }
    std::vector<double> x;
    std::vector<double> y;
};

TEST_P(PlotCurveTest, ThinnedLineLooksLikeTheWholeLine)
{
    PlotCurve* fast = new PlotCurve("fast");
    QwtPlotCurve* plain = new QwtPlotCurve("plain");
    const QImage thinned = draw(fast, x, y, GetParam());
    const QImage whole = draw(plain, x, y, GetParam());
    EXPECT_LT(differingPixels(thinned, whole), thinned.width() * thinned.height() / 1000);
}

// Without antialiasing a thinned curve lights the pixels of the whole one: lines whose x steps
// back now and then or runs back and forth, and sticks, steps and dots, in whole and zoomed views.
struct Drawing {
    const char* name;
    QwtPlotCurve::CurveStyle style;
    int order; // 0 ascending, 1 jittered, 2 back and forth
};

void PrintTo(const Drawing& drawing, std::ostream* out) { *out << drawing.name; }

class PlotCurveStyleTest : public ::testing::TestWithParam<Drawing>
{
protected:
    PlotCurveStyleTest()
    {
        std::mt19937 random(11);
        std::normal_distribution<double> noise(0.0, 0.2);
        std::uniform_int_distribution<int> jitter(-3, 3);
        for (int i = 0; i < 60000; ++i) {
            double t = i * 3.3e-4;
            if (GetParam().order == 1)
                t += jitter(random) * 6.6e-4;
            else if (GetParam().order == 2)
                t = 10.0 + 9.0 * std::sin(i * 1e-3);
            x.push_back(t);
            y.push_back(std::sin(i * 1e-3) + noise(random));
        }
    }

    QImage drawn(QwtPlotCurve* curve, const QRectF& view, int penWidth)
    {
        curve->setStyle(GetParam().style);
        return draw(curve, x, y, view, penWidth);
    }

    std::vector<double> x;
    std::vector<double> y;
};

// Qwt draws long polylines in chunks, each with its own pen caps, so chunks that end at other
// points light a few pixels more or less; without them the pixels are the same.
TEST_P(PlotCurveStyleTest, ThinnedCurveLightsTheSamePixels)
{
    const bool splitting = QwtPainter::polylineSplitting();
    QwtPainter::setPolylineSplitting(false);
    for (const QRectF& view : {QRectF(QPointF(-1, -2), QPointF(21, 2)), QRectF(QPointF(5, -2), QPointF(9, 2)),
                               QRectF(QPointF(5, -0.5), QPointF(5.05, 0.5))}) {
        for (int penWidth : {1, 3}) {
            const QImage thinned = drawn(new PlotCurve("fast"), view, penWidth);
            const QImage whole = drawn(new QwtPlotCurve("plain"), view, penWidth);
            EXPECT_EQ(differingPixels(thinned, whole), 0) << view.left() << ".." << view.right() << " pen " << penWidth;
        }
    }
    QwtPainter::setPolylineSplitting(splitting);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, PlotCurveStyleTest,
    ::testing::Values(Drawing{"JitteredLines", QwtPlotCurve::Lines, 1}, Drawing{"LissajousLines", QwtPlotCurve::Lines, 2},
                      Drawing{"Sticks", QwtPlotCurve::Sticks, 0}, Drawing{"JitteredSticks", QwtPlotCurve::Sticks, 1},
                      Drawing{"Steps", QwtPlotCurve::Steps, 0}, Drawing{"JitteredSteps", QwtPlotCurve::Steps, 1},
                      Drawing{"Dots", QwtPlotCurve::Dots, 0}, Drawing{"LissajousDots", QwtPlotCurve::Dots, 2}),
    [](const ::testing::TestParamInfo<Drawing>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Views, PlotCurveTest,
                         ::testing::Values(QRectF(QPointF(0, -2), QPointF(20, 2)),
                                           QRectF(QPointF(5, -2), QPointF(9, 2)),
                                           QRectF(QPointF(5, -2), QPointF(5.05, 2))));

} // namespace
