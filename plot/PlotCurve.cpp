#include "PlotCurve.h"

#include "ColumnDecimator.h"
#include "ColumnExtremes.h"
#include "PixelSet.h"

#include <QPainter>

#include <qwt_clipper.h>
#include <qwt_painter.h>
#include <qwt_point_data.h>
#include <qwt_scale_map.h>

#include <algorithm>
#include <cmath>

namespace {

// Below this many points per pixel column the plain drawing is fast enough.
const int kPointsPerColumn = 4;

// The samples as the pixels they are drawn at. Curves hold their samples in arrays, which are
// read directly; any other series point by point.
class PixelMap
{
public:
    PixelMap(const QwtSeriesData<QPointF>& series, const QwtScaleMap& xMap, const QwtScaleMap& yMap, bool round)
        : series(series)
        , xMap(xMap)
        , yMap(yMap)
        , round(round)
    {
        if (const auto* arrays = dynamic_cast<const QwtPointArrayData*>(&series)) {
            xs = arrays->xData().constData();
            ys = arrays->yData().constData();
        }
    }

    double x(int i) const { return xs ? xs[i] : series.sample(size_t(i)).x(); }
    double y(int i) const { return ys ? ys[i] : series.sample(size_t(i)).y(); }
    // Raster devices get whole pixels, as Qwt's own drawing gives them.
    double px(int i) const { return aligned(xMap.transform(x(i))); }
    double py(int i) const { return aligned(yMap.transform(y(i))); }
    double aligned(double v) const { return round ? double(qRound(v)) : v; }
    QPointF operator()(int i) const { return QPointF(px(i), py(i)); }

    bool xAscending(int from, int to) const
    {
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

private:
    const QwtSeriesData<QPointF>& series;
    const QwtScaleMap& xMap;
    const QwtScaleMap& yMap;
    const bool round;
    const double* xs = nullptr;
    const double* ys = nullptr;
};

// How far outside the canvas a point may lie and still touch it with the pen.
int penMargin(const QPainter* painter)
{
    return int(std::ceil(std::max(qreal(1.0), painter->pen().widthF()))) + 1;
}

} // namespace

PlotCurve::PlotCurve(const QString& title)
    : QwtPlotCurve(title)
{
}

bool PlotCurve::worthThinning(const QRectF& canvasRect, int from, int to) const
{
    const int budget = kPointsPerColumn * std::max(1, int(canvasRect.width()));
    return to - from >= budget && brush().style() == Qt::NoBrush && !testCurveAttribute(Fitted);
}

// Of x values that never decrease only those in view are drawn, and one on either side to keep
// the line running out of it.
void PlotCurve::visibleRange(const QwtScaleMap& xMap, const QRectF& canvasRect, int& from, int& to) const
{
    const PixelMap map(*data(), xMap, xMap, false);
    if (xMap.s1() > xMap.s2() || !map.xAscending(from, to))
        return;
    const double left = xMap.invTransform(canvasRect.left());
    const double right = xMap.invTransform(canvasRect.right());
    const int first = std::max(from, map.firstAtOrAbove(left, from, to) - 1);
    to = std::min(to, map.firstAtOrAbove(right, from, to));
    from = first;
}

void PlotCurve::drawThinnedPolyline(QPainter* painter, QPolygonF line, const QRectF& canvasRect) const
{
    if (testPaintAttribute(ClipPolygons)) {
        const qreal margin = qMax(qreal(1.0), painter->pen().widthF());
        line = QwtClipper::clipPolygonF(canvasRect.adjusted(-margin, -margin, margin, margin), line);
    }
    QwtPainter::drawPolyline(painter, line);
}

void PlotCurve::drawLines(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                          const QRectF& canvasRect, int from, int to) const
{
    if (worthThinning(canvasRect, from, to))
        visibleRange(xMap, canvasRect, from, to);
    if (!worthThinning(canvasRect, from, to)) {
        QwtPlotCurve::drawLines(painter, xMap, yMap, canvasRect, from, to);
        return;
    }
    const PixelMap map(*data(), xMap, yMap, QwtPainter::roundingAlignment(painter));
    const int margin = penMargin(painter);
    ColumnDecimator decimator(canvasRect.left() - margin, canvasRect.right() + margin);
    for (int i = from; i <= to; ++i)
        decimator.add(std::size_t(i), map.px(i), map.py(i));
    const std::vector<std::size_t> kept = decimator.finish();
    QPolygonF line;
    line.reserve(int(kept.size()));
    for (std::size_t index : kept)
        line << map(int(index));
    drawThinnedPolyline(painter, line, canvasRect);
}

// Every stick of a pixel column lies within its longest ones above and below the baseline.
void PlotCurve::drawSticks(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                           const QRectF& canvasRect, int from, int to) const
{
    if (orientation() != Qt::Vertical || !worthThinning(canvasRect, from, to)) {
        QwtPlotCurve::drawSticks(painter, xMap, yMap, canvasRect, from, to);
        return;
    }
    const PixelMap map(*data(), xMap, yMap, QwtPainter::roundingAlignment(painter));
    const double y0 = map.aligned(yMap.transform(baseline()));
    const int margin = penMargin(painter);
    ColumnExtremes columns(int(std::floor(canvasRect.left())) - margin, int(std::ceil(canvasRect.right())) + margin);
    for (int i = from; i <= to; ++i)
        columns.add(std::size_t(i), map.px(i), map.py(i));
    for (std::size_t index : columns.indices()) {
        const QPointF p = map(int(index));
        QwtPainter::drawLine(painter, p.x(), y0, p.x(), p.y());
    }
}

// A step line is a line through the corners, thinned as lines are.
void PlotCurve::drawSteps(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                          const QRectF& canvasRect, int from, int to) const
{
    if (!worthThinning(canvasRect, from, to)) {
        QwtPlotCurve::drawSteps(painter, xMap, yMap, canvasRect, from, to);
        return;
    }
    const PixelMap map(*data(), xMap, yMap, QwtPainter::roundingAlignment(painter));
    bool inverted = orientation() == Qt::Vertical;
    if (testCurveAttribute(Inverted))
        inverted = !inverted;
    // Corner 2i is point i; corner 2i - 1 the bend before it.
    const auto corner = [&](std::size_t k) {
        const int i = from + int(k / 2);
        if (k % 2 == 0)
            return map(i);
        return inverted ? QPointF(map.px(i), map.py(i + 1)) : QPointF(map.px(i + 1), map.py(i));
    };
    const int margin = penMargin(painter);
    ColumnDecimator decimator(canvasRect.left() - margin, canvasRect.right() + margin);
    const std::size_t corners = 2 * std::size_t(to - from) + 1;
    for (std::size_t k = 0; k < corners; ++k) {
        const QPointF p = corner(k);
        decimator.add(k, p.x(), p.y());
    }
    const std::vector<std::size_t> kept = decimator.finish();
    QPolygonF line;
    line.reserve(int(kept.size()));
    for (std::size_t k : kept)
        line << corner(k);
    drawThinnedPolyline(painter, line, canvasRect);
}

// An opaque dot drawn twice at one pixel looks as it does drawn once.
void PlotCurve::drawDots(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                         const QRectF& canvasRect, int from, int to) const
{
    const bool round = QwtPainter::roundingAlignment(painter);
    if (!round || painter->pen().color().alpha() != 255 || !worthThinning(canvasRect, from, to)) {
        QwtPlotCurve::drawDots(painter, xMap, yMap, canvasRect, from, to);
        return;
    }
    // Only dots on the canvas are drawn, as Qwt draws them.
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
