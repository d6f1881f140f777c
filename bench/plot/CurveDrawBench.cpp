#include "MinMaxPyramid.h"
#include "PlotCurve.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <qwt_scale_map.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace {

const int kWidth = 1600;
const int kHeight = 1000;

struct Points {
    QVector<double> x;
    QVector<double> y;
};

// A noisy sine over x = 0, 0.001, 0.002, …; jittered, each x is rounded to 6 to 17 digits as
// printed tables give it, so that x steps back now and then.
const Points& points(int count, bool jittered)
{
    static std::map<std::pair<int, bool>, Points> made;
    Points& p = made[{count, jittered}];
    if (!p.x.isEmpty())
        return p;
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0.0, 0.1);
    std::uniform_int_distribution<int> digits(6, 17);
    p.x.reserve(count);
    p.y.reserve(count);
    char text[40];
    for (int i = 0; i < count; ++i) {
        double x = i * 1e-3;
        if (jittered) {
            std::snprintf(text, sizeof text, "%.*g", digits(random), x);
            x = std::strtod(text, nullptr);
        }
        p.x.append(x);
        p.y.append(std::sin(i * 1e-3 * 6.0 / (count * 1e-3)) + noise(random));
    }
    return p;
}

void setMaps(const Points& p, QwtScaleMap& xMap, QwtScaleMap& yMap)
{
    xMap.setPaintInterval(0, kWidth);
    xMap.setScaleInterval(p.x.front(), p.x.back());
    yMap.setPaintInterval(kHeight, 0);
    yMap.setScaleInterval(-1.6, 1.6);
}

void drawSamples(benchmark::State& state, const Points& p)
{
    QwtScaleMap xMap;
    QwtScaleMap yMap;
    setMaps(p, xMap, yMap);
    PlotCurve curve("bench");
    curve.setPen(QPen(Qt::black, 1));
    curve.setRenderHint(QwtPlotItem::RenderAntialiased, false);
    curve.setSamples(p.x, p.y);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        curve.draw(&painter, xMap, yMap, QRectF(0, 0, kWidth, kHeight));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void drawCurve(benchmark::State& state)
{
    drawSamples(state, points(int(state.range(0)), state.range(1) != 0));
}

// Every `gapEvery`-th y value missing: a table with a few holes, and at 2 the worst case, a
// line of lone points that thins to nothing.
void drawCurveWithGaps(benchmark::State& state)
{
    Points p = points(int(state.range(0)), false);
    for (int i = 0; i < p.y.size(); i += int(state.range(1)))
        p.y[i] = std::numeric_limits<double>::quiet_NaN();
    drawSamples(state, p);
}

// The baseline: the lowest and highest y of every pixel column, each column drawn as one line.
void drawMinMaxPerColumn(benchmark::State& state)
{
    const Points& p = points(int(state.range(0)), state.range(1) != 0);
    QwtScaleMap xMap;
    QwtScaleMap yMap;
    setMaps(p, xMap, yMap);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::vector<double> low(kWidth);
    std::vector<double> high(kWidth);
    for (auto _ : state) {
        std::fill(low.begin(), low.end(), std::numeric_limits<double>::infinity());
        std::fill(high.begin(), high.end(), -std::numeric_limits<double>::infinity());
        for (int i = 0; i < p.x.size(); ++i) {
            const int column = int(xMap.transform(p.x[i]));
            if (column < 0 || column >= kWidth)
                continue;
            const double py = yMap.transform(p.y[i]);
            low[std::size_t(column)] = std::min(low[std::size_t(column)], py);
            high[std::size_t(column)] = std::max(high[std::size_t(column)], py);
        }
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 1));
        for (int column = 0; column < kWidth; ++column) {
            if (low[std::size_t(column)] <= high[std::size_t(column)])
                painter.drawLine(QLineF(column, low[std::size_t(column)], column, high[std::size_t(column)]));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A tenth of the curve in view, panned by a thousandth of it at every redraw, as a user looks
// through a long recording; the first drawing, which builds the curve's blocks, is not timed.
void drawZoomed(benchmark::State& state)
{
    const Points& p = points(int(state.range(0)), false);
    QwtScaleMap xMap;
    QwtScaleMap yMap;
    setMaps(p, xMap, yMap);
    PlotCurve curve("bench");
    curve.setPen(QPen(Qt::black, 1));
    curve.setRenderHint(QwtPlotItem::RenderAntialiased, false);
    curve.setSamples(p.x, p.y);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter first(&image);
    curve.draw(&first, xMap, yMap, QRectF(0, 0, kWidth, kHeight));
    first.end();
    const double span = p.x.back() - p.x.front();
    int step = 0;
    for (auto _ : state) {
        const double left = p.x.front() + span * (0.3 + 1e-3 * (step++ % 500));
        xMap.setScaleInterval(left, left + span / 10);
        image.fill(Qt::white);
        QPainter painter(&image);
        curve.draw(&painter, xMap, yMap, QRectF(0, 0, kWidth, kHeight));
    }
}

// The blocks of a curve's y limits, built once when its samples change.
void buildLevelOfDetail(benchmark::State& state)
{
    const Points& p = points(int(state.range(0)), false);
    MinMaxPyramid pyramid;
    for (auto _ : state)
        pyramid.build(p.y.constData(), std::size_t(p.y.size()));
    state.counters["bytesPerPoint"] = double(pyramid.memoryBytes()) / double(p.y.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void sizesAndOrders(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"points", "jittered"});
    for (int count : {1000000, 10000000})
        for (int jittered : {0, 1})
            b->Args({count, jittered});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(drawCurve)->Apply(sizesAndOrders);
BENCHMARK(drawCurveWithGaps)
    ->ArgNames({"points", "gapEvery"})
    ->ArgsProduct({{1000000, 10000000}, {1000, 2}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(drawMinMaxPerColumn)->Apply(sizesAndOrders);
BENCHMARK(drawZoomed)->ArgName("points")->Arg(1000000)->Arg(10000000)->Arg(100000000)->Unit(benchmark::kMillisecond);
BENCHMARK(buildLevelOfDetail)
    ->ArgName("points")
    ->Arg(1000000)
    ->Arg(100000000)
    ->Unit(benchmark::kMillisecond);

} // namespace
