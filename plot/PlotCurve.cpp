#include "PlotCurve.h"

#include "ColumnDecimator.h"
#include "ColumnExtremes.h"
#include "ColumnWalk.h"
#include "DataRange.h"
#include "EvenSeriesData.h"
#include "MinMaxPyramid.h"
#include "PixelSet.h"
#include "SeriesValues.h"

#include <QPainter>
#include <QThreadPool>
#include <QTimer>

#include <qwt_clipper.h>
#include <qwt_painter.h>
#include <qwt_plot.h>
#include <qwt_point_data.h>
#include <qwt_scale_map.h>
#include <qwt_symbol.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

namespace {

// Below this many points per pixel column the plain drawing is fast enough.
const int kPointsPerColumn = 4;

// Blocks of curves this long take tens of milliseconds and more: they are built beside the
// window, which looks this often whether they are there.
const int kBuiltBeside = 1 << 22;
const int kJobWatchMs = 50;

// A pixel coordinate beyond this is a gap: the clipping of a line takes the difference of two
// coordinates, which must stay finite.
const double kFarthestPixel = std::numeric_limits<double>::max() / 4;
// Whole pixels are held in ints, by Qwt's drawing on raster devices too. A coordinate beyond
// this lies a million canvases off the canvas: it is not rounded, and Qwt never gets it.
const double kWholePixels = 1e9;

// A curve's samples. Curves hold them in arrays, or y in an array and x as a start and a step,
// which are read directly; any other series point by point.
class Samples
{
public:
    explicit Samples(const QwtSeriesData<QPointF>& series)
        : series(series)
    {
        if (const auto* arrays = dynamic_cast<const QwtPointArrayData*>(&series)) {
            xs = arrays->xData().constData();
            ys = arrays->yData().constData();
        } else if (const auto* even = dynamic_cast<const EvenSeriesData*>(&series)) {
            steps = &even->x();
            ys = even->yData().constData();
        }
    }

    int size() const { return int(series.size()); }
    const double* yArray() const { return ys; }
    double x(int i) const { return xs ? xs[i] : steps ? steps->at(std::size_t(i)) : series.sample(size_t(i)).x(); }
    double y(int i) const { return ys ? ys[i] : series.sample(size_t(i)).y(); }

    bool xAscending(int from, int to) const
    {
        if (steps)
            return steps->step >= 0.0;
        for (int i = from + 1; i <= to; ++i) {
            if (!(x(i) >= x(i - 1)))
                return false;
        }
        return true;
    }

    int firstAtOrAbove(double value, int from, int to) const
    {
        int low = from;
        int high = to + 1;
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (x(middle) < value)
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    }

    // The finite limits, as an axis fitted to them needs them.
    DataRange range() const
    {
        DataRange r;
        if (xs) {
            r.addX(xs, std::size_t(size()));
            r.addY(ys, std::size_t(size()));
            return r;
        }
        if (steps) {
            // x is monotonic: its ends are its limits.
            if (size() > 0) {
                r.addX(x(0));
                r.addX(x(size() - 1));
            }
            r.addY(ys, std::size_t(size()));
            return r;
        }
        for (int i = 0; i < size(); ++i) {
            r.addX(x(i));
            r.addY(y(i));
        }
        return r;
    }

private:
    const QwtSeriesData<QPointF>& series;
    const double* xs = nullptr;
    const EvenX* steps = nullptr;
    const double* ys = nullptr;
};

bool isGap(const QPointF& p)
{
    return std::isnan(p.x()) || std::isnan(p.y());
}

// The samples as the pixels they are drawn at. A missing value, one that has no place on its
// axis (below zero on a logarithmic one, an infinity) or one drawn too far away is a NaN
// pixel: a gap, nowhere to draw to.
class PixelMap : public Samples
{
public:
    PixelMap(const QwtSeriesData<QPointF>& series, const QwtScaleMap& xMap, const QwtScaleMap& yMap, bool round)
        : Samples(series)
        , xMap(xMap)
        , yMap(yMap)
        , round(round)
    {
    }

    double px(int i) const { return pixel(xMap.transform(x(i))); }
    double py(int i) const { return pixel(yMap.transform(y(i))); }
    double pixelOfY(double v) const { return pixel(yMap.transform(v)); }
    double pixel(double v) const { return std::abs(v) <= kFarthestPixel ? aligned(v) : NAN; }
    // Raster devices get whole pixels, as Qwt's own drawing gives them.
    double aligned(double v) const { return round && std::abs(v) <= kWholePixels ? double(qRound(v)) : v; }
    QPointF operator()(int i) const { return QPointF(px(i), py(i)); }
    bool gap(int i) const { return isGap((*this)(i)); }
    bool wholePixels(int i) const { return std::abs(px(i)) <= kWholePixels && std::abs(py(i)) <= kWholePixels; }

private:
    const QwtScaleMap& xMap;
    const QwtScaleMap& yMap;
    const bool round;
};

// Hands `draw` the first and last index of every run in [from, to] between indices that
// `gap` names.
template <class Gap, class Draw>
void forEachRun(int from, int to, Gap gap, Draw draw)
{
    int start = from;
    for (int i = from; i <= to; ++i) {
        if (!gap(i))
            continue;
        if (i > start)
            draw(start, i - 1);
        start = i + 1;
    }
    if (start <= to)
        draw(start, to);
}

// How far outside the canvas a point may lie and still touch it with the pen.
int penMargin(const QPainter* painter)
{
    return int(std::ceil(std::max(qreal(1.0), painter->pen().widthF()))) + 1;
}

double held(double v, double low, double high)
{
    return std::min(std::max(v, low), high);
}

// Draws the stick from `base` to `p` across the baseline's axis, held to `area`: a stick
// beside it is not drawn, the ends of one across it are moved to its edges, which keeps the
// part that shows and keeps huge coordinates from the paint device.
void drawStick(QPainter* painter, const QPointF& p, double base, bool vertical, const QRectF& area)
{
    if (isGap(p) || std::isnan(base))
        return;
    if (vertical) {
        if (p.x() >= area.left() && p.x() <= area.right())
            QwtPainter::drawLine(painter, p.x(), held(base, area.top(), area.bottom()), p.x(),
                                 held(p.y(), area.top(), area.bottom()));
    } else if (p.y() >= area.top() && p.y() <= area.bottom()) {
        QwtPainter::drawLine(painter, held(base, area.left(), area.right()), p.y(),
                             held(p.x(), area.left(), area.right()), p.y());
    }
}

// Hands `feed` the indices in [from, to] that a thinning by the columns of `columns` needs:
// with a pyramid only the few that decide each column, otherwise every one.
void feedThinning(const MinMaxPyramid* pyramid, const PixelMap& map, const ColumnDecimator& columns, int from,
                  int to, const std::function<void(std::size_t)>& feed)
{
    if (!pyramid) {
        for (int i = from; i <= to; ++i)
            feed(std::size_t(i));
        return;
    }
    const ColumnWalk walk(
        *pyramid, [&](std::size_t i) { return columns.columnOf(map.px(int(i))); },
        [&](double y) { return map.pixelOfY(y); });
    walk.walk(std::size_t(from), std::size_t(to), feed);
}

} // namespace

// The blocks of a curve's y, built on another thread.
struct PyramidJob {
    QVector<double> y;
    MinMaxPyramid pyramid;
    std::atomic<bool> done{false};
};

PlotCurve::PlotCurve(const QString& title)
    : QwtPlotCurve(title)
{
}

// A job still running finishes on its own; it holds all it reads.
PlotCurve::~PlotCurve() = default;

// Qwt's own bounds take a NaN or an infinity for a limit, and an axis fitted to such bounds
// shows nothing. Qwt asks for them at every replot, so they are kept until the samples change.
QRectF PlotCurve::boundingRect() const
{
    if (boundsKnown)
        return bounds;
    const DataRange range = Samples(*data()).range();
    // Qwt reads a negative width or height as "no limits".
    bounds = QRectF(1.0, 1.0, -2.0, -2.0);
    if (range.xFound) {
        bounds.setLeft(range.xMin);
        bounds.setRight(range.xMax);
    }
    if (range.yFound) {
        bounds.setTop(range.yMin);
        bounds.setBottom(range.yMax);
    }
    boundsKnown = true;
    return bounds;
}

void PlotCurve::dataChanged()
{
    boundsKnown = false;
    pyramidKnown = false;
    pyramid.reset();
    job.reset();
    jobWatch.reset();
    QwtPlotCurve::dataChanged();
}

// Qwt joins every point to the next, a gap too, so its own drawing gets the runs of points
// between gaps one at a time; a point too far off for whole pixels ends a run as a gap does.
void PlotCurve::forEachPiece(const QwtScaleMap& xMap, const QwtScaleMap& yMap, int from, int to,
                             const std::function<void(int, int)>& draw) const
{
    const PixelMap map(*data(), xMap, yMap, false);
    forEachRun(from, to, [&map](int i) { return !map.wholePixels(i); }, draw);
}

// Qwt hands a vector device every point of dots and symbols, however far off the canvas, so
// only the runs of points that can touch `area` go to its drawing.
void PlotCurve::forEachShown(const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& area, int from, int to,
                             const std::function<void(int, int)>& draw) const
{
    const PixelMap map(*data(), xMap, yMap, false);
    forEachRun(from, to, [&](int i) { return map.gap(i) || !area.contains(map(i)); }, draw);
}

// A filled or fitted line is left to Qwt.
bool PlotCurve::drawsLineItself() const
{
    return brush().style() == Qt::NoBrush && !testCurveAttribute(Fitted);
}

bool PlotCurve::worthThinning(const QRectF& canvasRect, int from, int to) const
{
    const int budget = kPointsPerColumn * std::max(1, int(canvasRect.width()));
    return to - from >= budget && drawsLineItself();
}

// Only curves held in arrays have their y at hand for the blocks; x must ascend, so that the
// samples of a pixel column follow each other.
const MinMaxPyramid* PlotCurve::levelOfDetail() const
{
    if (!pyramidKnown) {
        pyramidKnown = true;
        startLevelOfDetail();
    }
    takeFinishedJob();
    return pyramid && !pyramid->empty() ? pyramid.get() : nullptr;
}

void PlotCurve::startLevelOfDetail() const
{
    const Samples samples(*data());
    if (!samples.yArray() || samples.size() < 2 || !samples.xAscending(0, samples.size() - 1))
        return;
    auto built = std::make_unique<MinMaxPyramid>();
    // A plot nobody sees, as a picture is rendered, waits for them: nothing needs to stay alive.
    if (samples.size() < kBuiltBeside || !plot() || !plot()->isVisible()) {
        built->build(samples.yArray(), std::size_t(samples.size()));
        pyramid = std::move(built);
        return;
    }
    // The job holds the samples' y, shared, for as long as it runs, whatever happens to the curve.
    job = std::make_shared<PyramidJob>();
    job->y = yValuesOf(*data());
    auto running = job;
    QThreadPool::globalInstance()->start([running] {
        running->pyramid.build(running->y.constData(), std::size_t(running->y.size()));
        running->done.store(true, std::memory_order_release);
    });
    // Only the window's own thread may ask for a redraw, so it looks now and then.
    jobWatch = std::make_unique<QTimer>();
    jobWatch->setInterval(kJobWatchMs);
    QObject::connect(jobWatch.get(), &QTimer::timeout, jobWatch.get(), [this] {
        takeFinishedJob();
        if (!job && plot())
            plot()->replot();
    });
    jobWatch->start();
}

void PlotCurve::takeFinishedJob() const
{
    if (!job || !job->done.load(std::memory_order_acquire))
        return;
    pyramid = std::make_unique<MinMaxPyramid>(std::move(job->pyramid));
    job.reset();
    if (jobWatch)
        jobWatch->stop();
}

// Of x values that never decrease only those in view are drawn, and one on either side to keep
// the line running out of it.
void PlotCurve::visibleRange(const QwtScaleMap& xMap, const QRectF& canvasRect, int& from, int& to) const
{
    const Samples samples(*data());
    if (xMap.s1() > xMap.s2() || !(levelOfDetail() || samples.xAscending(from, to)))
        return;
    const double left = xMap.invTransform(canvasRect.left());
    const double right = xMap.invTransform(canvasRect.right());
    const int first = std::max(from, samples.firstAtOrAbove(left, from, to) - 1);
    to = std::min(to, samples.firstAtOrAbove(right, from, to));
    from = first;
}

// Clipped whatever the paint attributes: a paint device takes no coordinates of any size.
void PlotCurve::drawClippedPolyline(QPainter* painter, const QPolygonF& line, const QRectF& canvasRect) const
{
    const qreal margin = qMax(qreal(1.0), painter->pen().widthF());
    const QRectF area = canvasRect.adjusted(-margin, -margin, margin, margin);
    QwtPainter::drawPolyline(painter, QwtClipper::clipPolygonF(area, line));
}

// A point with a NaN coordinate is a gap: the line stops before it and starts again after it.
// A lone point between gaps is skipped, since a polyline of one point lights no pixel; a line
// of lone points would otherwise cost a call each.
void PlotCurve::drawPieces(QPainter* painter, const QPolygonF& line, const QRectF& canvasRect) const
{
    forEachRun(0, line.size() - 1, [&line](int i) { return isGap(line[i]); }, [&](int first, int last) {
        if (last > first)
            drawClippedPolyline(painter, line.mid(first, last - first + 1), canvasRect);
    });
}

// Two of the default colours are as light as the canvas is dark grey; a rim a pixel wider on
// each side, drawn first, keeps them in sight without changing the colours themselves.
void PlotCurve::drawCurve(QPainter* painter, int style, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                          const QRectF& canvasRect, int from, int to) const
{
    const QColor color = pen().color();
    if (style != NoCurve && (color == QColor(Qt::yellow) || color == QColor(Qt::cyan))) {
        painter->save();
        QPen rim = painter->pen();
        rim.setColor(color.darker(300));
        rim.setWidthF(std::max(1.0, rim.widthF()) + 2.0);
        painter->setPen(rim);
        QwtPlotCurve::drawCurve(painter, style, xMap, yMap, canvasRect, from, to);
        painter->restore();
    }
    QwtPlotCurve::drawCurve(painter, style, xMap, yMap, canvasRect, from, to);
}

// The line through the points, as Qwt draws it, but clipped here to the canvas, however far
// off a point lies.
void PlotCurve::drawLines(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                          const QRectF& canvasRect, int from, int to) const
{
    if (!drawsLineItself()) {
        forEachPiece(xMap, yMap, from, to, [&](int first, int last) {
            QwtPlotCurve::drawLines(painter, xMap, yMap, canvasRect, first, last);
        });
        return;
    }
    if (worthThinning(canvasRect, from, to))
        visibleRange(xMap, canvasRect, from, to);
    const PixelMap map(*data(), xMap, yMap, QwtPainter::roundingAlignment(painter));
    QPolygonF line;
    if (!worthThinning(canvasRect, from, to)) {
        for (int i = from; i <= to; ++i)
            line << map(i);
        drawPieces(painter, line, canvasRect);
        return;
    }
    const int margin = penMargin(painter);
    ColumnDecimator decimator(canvasRect.left() - margin, canvasRect.right() + margin);
    feedThinning(levelOfDetail(), map, decimator, from, to,
                 [&](std::size_t i) { decimator.add(i, map.px(int(i)), map.py(int(i))); });
    const std::vector<std::size_t> kept = decimator.finish();
    line.reserve(int(kept.size()));
    for (std::size_t index : kept)
        line << map(int(index));
    drawPieces(painter, line, canvasRect);
}

// Every stick of a pixel column lies within its longest ones above and below the baseline.
// Qwt's own sticks reach a vector device unclipped, however long, so every stick is drawn here.
void PlotCurve::drawSticks(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                           const QRectF& canvasRect, int from, int to) const
{
    const PixelMap map(*data(), xMap, yMap, QwtPainter::roundingAlignment(painter));
    const bool vertical = orientation() == Qt::Vertical;
    const double base = map.aligned((vertical ? yMap : xMap).transform(baseline()));
    const int margin = penMargin(painter);
    const QRectF area = canvasRect.adjusted(-margin, -margin, margin, margin);
    if (!vertical || !worthThinning(canvasRect, from, to)) {
        for (int i = from; i <= to; ++i)
            drawStick(painter, map(i), base, vertical, area);
        return;
    }
    const int firstColumn = int(std::floor(canvasRect.left())) - margin;
    const int lastColumn = int(std::ceil(canvasRect.right())) + margin;
    ColumnExtremes columns(firstColumn, lastColumn);
    // Columns off the canvas are left out, so those on either side may as well be one.
    const ColumnDecimator ranges(firstColumn, lastColumn);
    feedThinning(levelOfDetail(), map, ranges, from, to,
                 [&](std::size_t i) { columns.add(i, map.px(int(i)), map.py(int(i))); });
    for (std::size_t index : columns.indices())
        drawStick(painter, map(int(index)), base, vertical, area);
}

// A step line is a line through the corners, clipped and thinned as lines are.
void PlotCurve::drawSteps(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                          const QRectF& canvasRect, int from, int to) const
{
    if (!drawsLineItself()) {
        forEachPiece(xMap, yMap, from, to, [&](int first, int last) {
            QwtPlotCurve::drawSteps(painter, xMap, yMap, canvasRect, first, last);
        });
        return;
    }
    const PixelMap map(*data(), xMap, yMap, QwtPainter::roundingAlignment(painter));
    bool inverted = orientation() == Qt::Vertical;
    if (testCurveAttribute(Inverted))
        inverted = !inverted;
    // Corner 2i is point i; corner 2i + 1 the bend after it, a gap where either side is one.
    const auto corner = [&](std::size_t k) {
        const int i = from + int(k / 2);
        if (k % 2 == 0)
            return map(i);
        if (map.gap(i) || map.gap(i + 1))
            return QPointF(NAN, NAN);
        return inverted ? QPointF(map.px(i), map.py(i + 1)) : QPointF(map.px(i + 1), map.py(i));
    };
    const std::size_t corners = 2 * std::size_t(to - from) + 1;
    QPolygonF line;
    if (!worthThinning(canvasRect, from, to)) {
        for (std::size_t k = 0; k < corners; ++k)
            line << corner(k);
        drawPieces(painter, line, canvasRect);
        return;
    }
    const int margin = penMargin(painter);
    ColumnDecimator decimator(canvasRect.left() - margin, canvasRect.right() + margin);
    // The corners that decide a column's pixels are those beside the points that decide them:
    // the bend into the column's first point, and either bend of its lowest and highest.
    std::size_t fed = 0;
    feedThinning(levelOfDetail(), map, decimator, from, to, [&](std::size_t i) {
        const std::size_t k = 2 * (i - std::size_t(from));
        for (std::size_t c = std::max(fed, k == 0 ? 0 : k - 1); c <= std::min(k + 1, corners - 1); ++c) {
            const QPointF p = corner(c);
            decimator.add(c, p.x(), p.y());
            fed = c + 1;
        }
    });
    const std::vector<std::size_t> kept = decimator.finish();
    line.reserve(int(kept.size()));
    for (std::size_t k : kept)
        line << corner(k);
    drawPieces(painter, line, canvasRect);
}

// An opaque dot drawn twice at one pixel looks as it does drawn once.
void PlotCurve::drawDots(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                         const QRectF& canvasRect, int from, int to) const
{
    const bool round = QwtPainter::roundingAlignment(painter);
    if (!round || painter->pen().color().alpha() != 255 || !worthThinning(canvasRect, from, to)) {
        const int margin = penMargin(painter);
        const QRectF area = canvasRect.adjusted(-margin, -margin, margin, margin);
        forEachShown(xMap, yMap, area, from, to, [&](int first, int last) {
            QwtPlotCurve::drawDots(painter, xMap, yMap, canvasRect, first, last);
        });
        return;
    }
    // Only dots on the canvas are drawn, as Qwt draws them; a gap is on no pixel.
    const PixelMap map(*data(), xMap, yMap, true);
    const QRect area = canvasRect.toAlignedRect();
    PixelSet drawn(area.left(), area.top(), area.width(), area.height());
    QPolygonF dots;
    for (int i = from; i <= to; ++i) {
        const QPointF p = map(i);
        if (drawn.insert(p.x(), p.y()))
            dots << p;
    }
    QwtPainter::drawPoints(painter, dots);
}

// Qwt draws the symbol of a point whose y is NaN at the top of the canvas.
void PlotCurve::drawSymbols(QPainter* painter, const QwtSymbol& symbol, const QwtScaleMap& xMap,
                            const QwtScaleMap& yMap, const QRectF& canvasRect, int from, int to) const
{
    // The symbol's own rectangle is centred on its point.
    const QRect reach = symbol.boundingRect().adjusted(-1, -1, 1, 1);
    const QRectF area = canvasRect.adjusted(reach.left(), reach.top(), reach.right(), reach.bottom());
    forEachShown(xMap, yMap, area, from, to, [&](int first, int last) {
        QwtPlotCurve::drawSymbols(painter, symbol, xMap, yMap, canvasRect, first, last);
    });
}
