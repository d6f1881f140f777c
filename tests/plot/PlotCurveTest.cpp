#include "EvenSeriesData.h"
#include "PlotCurve.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QTest>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <qwt_painter.h>
#include <qwt_plot.h>
#include <qwt_plot_renderer.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_map.h>
#include <qwt_symbol.h>
#include <qwt_transform.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

void setView(QwtPlot& plot, const QRectF& view)
{
    plot.setCanvasBackground(Qt::white);
    plot.setAxisScale(QwtPlot::xBottom, view.left(), view.right());
    plot.setAxisScale(QwtPlot::yLeft, view.top(), view.bottom());
}

void attach(QwtPlot& plot, QwtPlotCurve* curve, const double* x, const double* y, int count, int penWidth)
{
    curve->setPen(QPen(Qt::black, penWidth));
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, false);
    curve->setSamples(x, y, count);
    curve->attach(&plot);
}

QImage render(QwtPlot& plot)
{
    plot.replot();
    QImage image(500, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QwtPlotRenderer().render(&plot, &painter, image.rect());
    return image;
}

// Renders the same samples through the given curve on a bare plot.
QImage draw(QwtPlotCurve* curve, const std::vector<double>& x, const std::vector<double>& y,
            const QRectF& view, int penWidth = 1)
{
    QwtPlot plot;
    setView(plot, view);
    attach(plot, curve, x.data(), y.data(), int(x.size()), penWidth);
    return render(plot);
}

bool isGap(double x, double y)
{
    return std::isnan(x) || std::isnan(y);
}

// Qwt's own drawing of the runs of points between gaps, each run a curve of its own.
QImage drawPieces(QwtPlotCurve::CurveStyle style, const std::vector<double>& x, const std::vector<double>& y,
                  const QRectF& view, int penWidth)
{
    QwtPlot plot;
    setView(plot, view);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= x.size(); ++i) {
        if (i < x.size() && !isGap(x[i], y[i]))
            continue;
        if (i > start) {
            auto* piece = new QwtPlotCurve("piece");
            piece->setStyle(style);
            attach(plot, piece, x.data() + start, y.data() + start, int(i - start), penWidth);
        }
        start = i + 1;
    }
    return render(plot);
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

// Gaps in y and in x: the first and the last point, single points and runs, and lone points
// between gaps, which light no pixel of a line, as Qwt's curve of one point lights none.
class PlotCurveGapTest : public PlotCurveStyleTest
{
protected:
    PlotCurveGapTest()
    {
        const std::size_t n = x.size();
        for (std::size_t at : {std::size_t(0), n - 1})
            y[at] = NAN;
        for (std::size_t at = 1500; at + 20 < n; at += 2711) {
            const std::size_t run = 1 + at % 7;
            for (std::size_t i = at; i < at + run; ++i)
                (at % 3 == 0 ? x : y)[i] = NAN;
            y[at + run + 1] = NAN;
        }
    }
};

TEST_P(PlotCurveGapTest, ThinnedCurveLooksLikeQwtsDrawingOfItsPieces)
{
    const bool splitting = QwtPainter::polylineSplitting();
    QwtPainter::setPolylineSplitting(false);
    for (const QRectF& view : {QRectF(QPointF(-1, -2), QPointF(21, 2)), QRectF(QPointF(5, -2), QPointF(9, 2)),
                               QRectF(QPointF(5, -0.5), QPointF(5.05, 0.5))}) {
        for (int penWidth : {1, 3}) {
            const QImage thinned = drawn(new PlotCurve("fast"), view, penWidth);
            const QImage pieces = drawPieces(GetParam().style, x, y, view, penWidth);
            EXPECT_EQ(differingPixels(thinned, pieces), 0)
                << view.left() << ".." << view.right() << " pen " << penWidth;
        }
    }
    QwtPainter::setPolylineSplitting(splitting);
}

// Left of x = 8 the curve is at 1, right of x = 12 at -1; in between every point is a gap, in
// y or in x. Whatever the style, symbols too, and however many points, no pixel lies between.
TEST(PlotCurveGapsTest, NothingIsDrawnAcrossAGap)
{
    const QRect canvas(0, 0, 400, 200);
    QwtScaleMap xMap;
    xMap.setPaintInterval(canvas.left(), canvas.right());
    xMap.setScaleInterval(0, 20);
    QwtScaleMap yMap;
    yMap.setPaintInterval(canvas.bottom(), canvas.top());
    yMap.setScaleInterval(-2, 2);
    for (auto style : {QwtPlotCurve::Lines, QwtPlotCurve::Sticks, QwtPlotCurve::Steps, QwtPlotCurve::Dots,
                       QwtPlotCurve::NoCurve}) {
        for (int count : {41, 40001}) {
            for (bool xGaps : {false, true}) {
                std::vector<double> xs;
                std::vector<double> ys;
                for (int i = 0; i < count; ++i) {
                    const double t = 20.0 * i / (count - 1);
                    const bool gap = t > 8 && t < 12;
                    xs.push_back(gap && xGaps ? NAN : t);
                    ys.push_back(gap && !xGaps ? NAN : t < 10 ? 1.0 : -1.0);
                }
                PlotCurve curve("gap");
                curve.setStyle(style);
                curve.setPen(QPen(Qt::black, 3));
                if (style == QwtPlotCurve::NoCurve)
                    curve.setSymbol(new QwtSymbol(QwtSymbol::Rect, Qt::black, QPen(Qt::black), QSize(3, 3)));
                curve.setSamples(xs.data(), ys.data(), count);
                QImage image(canvas.size(), QImage::Format_RGB32);
                image.fill(Qt::white);
                QPainter painter(&image);
                curve.draw(&painter, xMap, yMap, canvas);
                painter.end();
                int lit = 0;
                // The pen's and the symbols' reach beside the last points.
                for (int column = int(xMap.transform(8)) + 4; column < int(xMap.transform(12)) - 3; ++column)
                    for (int row = 0; row < image.height(); ++row)
                        lit += image.pixel(column, row) != qRgb(255, 255, 255);
                EXPECT_EQ(lit, 0) << "style " << style << ", " << count << " points, gaps in " << (xGaps ? "x" : "y");
            }
        }
    }
}

// Whatever the values, the paint device gets nothing far off the canvas: lines are clipped to
// it, sticks held to it, and points far from it, infinite or beyond any device, are not drawn.
TEST(PlotCurveExtremesTest, NothingFarOffTheCanvasReachesTheDevice)
{
    const double inf = std::numeric_limits<double>::infinity();
    const QRect canvas(0, 0, 400, 200);
    QwtScaleMap xMap;
    xMap.setPaintInterval(canvas.left(), canvas.right());
    xMap.setScaleInterval(0, 20);
    QwtScaleMap yMap;
    yMap.setPaintInterval(canvas.bottom(), canvas.top());
    yMap.setScaleInterval(-2, 2);
    const std::vector<std::pair<double, double>> extremes = {{1, 1e300}, {2, -1e300}, {3, 1e10}, {4, -1e15}, {5, inf},
                                                             {6, -inf},  {1e12, 1},  {-1e300, 0}, {inf, 1}};
    for (auto style : {QwtPlotCurve::Lines, QwtPlotCurve::Sticks, QwtPlotCurve::Steps, QwtPlotCurve::Dots}) {
        for (int count : {41, 40001}) {
            std::vector<double> xs;
            std::vector<double> ys;
            for (int i = 0; i < count; ++i) {
                xs.push_back(20.0 * i / (count - 1));
                ys.push_back(std::sin(i));
            }
            for (std::size_t k = 0; k < extremes.size(); ++k) {
                const std::size_t at = std::size_t(count) * (k + 1) / (extremes.size() + 1);
                xs[at] = extremes[k].first;
                ys[at] = extremes[k].second;
            }
            PlotCurve curve("extremes");
            curve.setStyle(style);
            curve.setPen(QPen(Qt::black, 3));
            curve.setSymbol(new QwtSymbol(QwtSymbol::Rect, Qt::black, QPen(Qt::black), QSize(7, 7)));
            curve.setSamples(xs.data(), ys.data(), count);
            QPicture picture;
            QPainter painter(&picture);
            curve.draw(&painter, xMap, yMap, canvas);
            painter.end();
            // Compared one by one: a rectangle's width overflows at such coordinates.
            const QRect drawn = picture.boundingRect();
            EXPECT_TRUE(drawn.left() >= -16 && drawn.top() >= -16 && drawn.right() <= canvas.right() + 16
                        && drawn.bottom() <= canvas.bottom() + 16)
                << "style " << style << ", " << count << " points: " << drawn.left() << ", " << drawn.top() << " to "
                << drawn.right() << ", " << drawn.bottom();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, PlotCurveGapTest,
    ::testing::Values(Drawing{"Lines", QwtPlotCurve::Lines, 0}, Drawing{"JitteredLines", QwtPlotCurve::Lines, 1},
                      Drawing{"LissajousLines", QwtPlotCurve::Lines, 2}, Drawing{"Sticks", QwtPlotCurve::Sticks, 0},
                      Drawing{"Steps", QwtPlotCurve::Steps, 0}, Drawing{"JitteredSteps", QwtPlotCurve::Steps, 1},
                      Drawing{"Dots", QwtPlotCurve::Dots, 0}, Drawing{"LissajousDots", QwtPlotCurve::Dots, 2}),
    [](const ::testing::TestParamInfo<Drawing>& info) { return std::string(info.param.name); });

// An axis fitted to the curve must not get a NaN or an infinity for a limit.
TEST(PlotCurveBoundsTest, OnlyFiniteValuesBound)
{
    const double inf = std::numeric_limits<double>::infinity();
    PlotCurve curve("bounds");
    const std::vector<double> x = {NAN, 3, -inf, 1, 2, NAN};
    const std::vector<double> y = {5, NAN, 7, inf, -1, NAN};
    curve.setSamples(x.data(), y.data(), 6);
    EXPECT_EQ(curve.boundingRect(), QRectF(QPointF(1, -1), QPointF(3, 7)));
    const std::vector<double> none = {NAN, inf};
    curve.setSamples(x.data(), none.data(), 2);
    EXPECT_EQ(curve.boundingRect().left(), 3.0);
    EXPECT_LT(curve.boundingRect().height(), 0.0);
    curve.setSamples(none.data(), y.data(), 2);
    EXPECT_LT(curve.boundingRect().width(), 0.0);
    EXPECT_EQ(curve.boundingRect().top(), 5.0);
}

// A curve in arrays with ascending x is drawn through its blocks of y limits; the same samples
// as points are drawn as before. Both light the same pixels: with ties in x and in the pixels
// of y, gaps, infinities and a value too far out to draw, on a linear and a logarithmic y axis,
// x drawn left to right and right to left, the view's edges on a sample, between samples and
// beyond the ends, and with columns of a few samples and of hundreds.
class PlotCurveLevelOfDetailTest : public ::testing::TestWithParam<std::tuple<QwtPlotCurve::CurveStyle, bool>>
{
protected:
    PlotCurveLevelOfDetailTest()
    {
        std::mt19937 random(5);
        std::uniform_int_distribution<int> level(1, 60);
        for (int i = 0; i < 120007; ++i) {
            xs.push_back((i / 3) * 1e-3);
            ys.push_back(std::sin(i * 2e-5) * 40 + 50 + level(random) * 0.25);
        }
        for (int at = 5000; at < 120000; at += 17001)
            for (int i = at; i < at + 1 + at % 5; ++i)
                ys[std::size_t(i)] = NAN;
        ys[73457] = std::numeric_limits<double>::infinity();
        ys[100000] = -1e300;
        ys[110001] = -20;
        for (int i = 0; i < xs.size(); ++i)
            points.push_back(QPointF(xs[i], ys[i]));
    }

    QImage drawn(PlotCurve& curve, const QwtScaleMap& xMap, const QwtScaleMap& yMap, int penWidth) const
    {
        curve.setStyle(std::get<0>(GetParam()));
        curve.setCurveAttribute(QwtPlotCurve::Inverted, std::get<1>(GetParam()));
        curve.setPen(QPen(Qt::black, penWidth));
        QImage image(400, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        curve.draw(&painter, xMap, yMap, QRectF(0, 0, 400, 200));
        return image;
    }

    QVector<double> xs;
    QVector<double> ys;
    QVector<QPointF> points;
};

TEST_P(PlotCurveLevelOfDetailTest, BlocksLightThePixelsOfEverySample)
{
    // The same y once more with x held as a start and a step, over about the same span.
    const EvenX even{-0.0, 1.0 / 3000};
    QVector<QPointF> evenPoints;
    for (int i = 0; i < ys.size(); ++i)
        evenPoints.push_back(QPointF(even.at(std::size_t(i)), ys[i]));
    PlotCurve fast("blocks");
    fast.setSamples(xs, ys);
    PlotCurve plain("points");
    plain.setSamples(points);
    PlotCurve fastEven("even blocks");
    fastEven.setData(new EvenSeriesData(even, ys));
    PlotCurve plainEven("even points");
    plainEven.setSamples(evenPoints);

    const double last = xs.back();
    const std::vector<std::pair<double, double>> views = {
        {0, last}, {-1, last + 1}, {10, 20}, {10.0005, 19.9995}, {23.3, 23.9}, {30, 80}, {-5, 0.5}, {20, 20.05}};
    for (bool logarithmic : {false, true}) {
        QwtScaleMap yMap;
        yMap.setPaintInterval(200, 0);
        if (logarithmic)
            yMap.setTransformation(new QwtLogTransform);
        yMap.setScaleInterval(logarithmic ? 1 : -10, 100);
        for (const auto& view : views) {
            for (bool leftToRight : {true, false}) {
                QwtScaleMap xMap;
                xMap.setPaintInterval(leftToRight ? 0 : 400, leftToRight ? 400 : 0);
                xMap.setScaleInterval(view.first, view.second);
                for (int penWidth : {1, 3}) {
                    const std::string where = std::to_string(view.first) + ".." + std::to_string(view.second) +
                                              (logarithmic ? " log" : "") + (leftToRight ? "" : " right to left") +
                                              " pen " + std::to_string(penWidth);
                    EXPECT_EQ(differingPixels(drawn(fast, xMap, yMap, penWidth), drawn(plain, xMap, yMap, penWidth)),
                              0)
                        << where;
                    EXPECT_EQ(differingPixels(drawn(fastEven, xMap, yMap, penWidth),
                                              drawn(plainEven, xMap, yMap, penWidth)),
                              0)
                        << where << " even";
                }
            }
        }
    }
}

// Inverted steps bend first across, then along.
INSTANTIATE_TEST_SUITE_P(Styles, PlotCurveLevelOfDetailTest,
                         ::testing::Values(std::make_tuple(QwtPlotCurve::Lines, false),
                                           std::make_tuple(QwtPlotCurve::Sticks, false),
                                           std::make_tuple(QwtPlotCurve::Steps, false),
                                           std::make_tuple(QwtPlotCurve::Steps, true)));

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

namespace {

// A long curve's blocks are built beside the window: it draws every point meanwhile, asks for
// a redraw once they are there, and looks the same before and after.
TEST(PlotCurveBackgroundTest, BlocksBuiltBesideTheWindowChangeNoPixel)
{
    const int n = (1 << 22) + 77;
    QVector<double> y(n);
    for (int i = 0; i < n; ++i)
        y[i] = std::sin(i * 1e-5) + double((qint64(i) * 7919) % 101) * 1e-3;
    QwtPlot plot;
    setView(plot, QRectF(QPointF(1e5, -2), QPointF(3e5, 2)));
    auto* curve = new PlotCurve("long");
    curve->setPen(QPen(Qt::black));
    curve->setData(new EvenSeriesData(EvenX{}, y));
    curve->attach(&plot);
    plot.show();
    const QImage meanwhile = render(plot);
    ASSERT_TRUE(QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 10000));
    QTest::qWait(150);
    EXPECT_EQ(differingPixels(render(plot), meanwhile), 0);
}

// The light default colours get a darker rim beside their line; the others are drawn as Qwt
// draws them.
TEST(PlotCurveRimTest, YellowAndCyanLinesHaveADarkerRim)
{
    const struct {
        Qt::GlobalColor color;
        bool rim;
    } rows[] = {{Qt::yellow, true}, {Qt::cyan, true}, {Qt::red, false}, {Qt::darkYellow, false}};
    const std::vector<double> x{0, 10};
    const std::vector<double> y{5, 5};
    for (const auto& row : rows) {
        auto* curve = new PlotCurve("rim");
        QwtPlot plot;
        setView(plot, QRectF(0, 0, 10, 10));
        attach(plot, curve, x.data(), y.data(), 2, 1);
        curve->setPen(QPen(row.color, 1));
        const QImage image = render(plot);
        int lineRow = -1;
        const int column = image.width() / 2;
        for (int r = 1; r < image.height() && lineRow < 0; ++r) {
            if (image.pixelColor(column, r) == QColor(row.color))
                lineRow = r;
        }
        ASSERT_GE(lineRow, 0) << int(row.color);
        const QColor beside = image.pixelColor(column, lineRow - 1);
        EXPECT_EQ(beside.lightness() < 128, row.rim) << int(row.color) << " " << beside.name().toStdString();
    }
}

} // namespace
