#include "PlotCurve.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// Renders the same samples through the given curve on a bare plot.
QImage draw(QwtPlotCurve* curve, const std::vector<double>& x, const std::vector<double>& y,
            const QRectF& view)
{
    QwtPlot plot;
    plot.setCanvasBackground(Qt::white);
    plot.setAxisScale(QwtPlot::xBottom, view.left(), view.right());
    plot.setAxisScale(QwtPlot::yLeft, view.top(), view.bottom());
    curve->setPen(QPen(Qt::black, 1));
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

INSTANTIATE_TEST_SUITE_P(Views, PlotCurveTest,
                         ::testing::Values(QRectF(QPointF(0, -2), QPointF(20, 2)),
                                           QRectF(QPointF(5, -2), QPointF(9, 2)),
                                           QRectF(QPointF(5, -2), QPointF(5.05, 2))));

} // namespace
