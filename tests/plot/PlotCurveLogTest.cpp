#include "PlotServerFixture.h"

#include <QImage>

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_symbol.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// A curve drawn on logarithmic axes looks the same whether the axes became logarithmic before
// or after the curve came, as kurvo-render draws it after.
class PlotCurveLogTest : public PlotServerFixture<>
{
protected:
    PlotCurveLogTest()
    {
        server.resize(1280, 1024);
        server.show();
    }

    // A 40-point sine, dashed and four pixels wide, with its points marked.
    void addSine(PlotServer& target)
    {
        std::vector<double> x(40), y(40);
        for (int i = 0; i < 40; ++i) {
            x[i] = 0.16 * i;
            y[i] = std::sin(x[i]);
        }
        target.createPlot(-1, "f(y)", 40, x.data(), y.data(), false, 0);
        QwtPlotCurve* curve = target.record(0)->curve;
        curve->setPen(QPen(Qt::red, 4, Qt::DashLine));
        curve->setSymbol(new QwtSymbol(QwtSymbol::Ellipse, QBrush(Qt::blue), QPen(Qt::blue), QSize(5, 5)));
    }

    static void logAxes(PlotServer& target)
    {
        target.logXaxysSlot(true);
        target.logYaxysSlot(true);
    }

    static QImage canvas(PlotServer& target)
    {
        target.plot()->replot();
        return target.plot()->canvas()->grab().toImage();
    }

    static int lineCount(const QImage& image)
    {
        int red = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                red += QColor(image.pixel(x, y)) == QColor(Qt::red) ? 1 : 0;
        }
        return red;
    }
};

TEST_F(PlotCurveLogTest, TheLineShowsWhenTheAxesWereLogarithmicFirst)
{
    logAxes(server);
    addSine(server);
    const QImage first = canvas(server);
    EXPECT_GT(server.plot()->axisScaleDiv(QwtPlot::xBottom).lowerBound(), 0.1);
    EXPECT_GT(server.plot()->axisScaleDiv(QwtPlot::yLeft).lowerBound(), 0.1);

    PlotServer after;
    after.setPrompt(std::make_unique<ScriptedPrompt>());
    after.begin("Kurvo", "X", "Y", "");
    after.resize(1280, 1024);
    after.show();
    addSine(after);
    logAxes(after);
    const QImage second = canvas(after);
    EXPECT_GT(lineCount(first), 1000);
    EXPECT_EQ(first, second);
}

} // namespace
