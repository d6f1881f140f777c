#include "PlotCurve.h"

#include "ColumnDecimator.h"

#include <QPainter>

#include <qwt_clipper.h>
#include <qwt_painter.h>
#include <qwt_scale_map.h>

#include <algorithm>

namespace {

// Below this many points per pixel column the plain drawing is fast enough.
const int kPointsPerColumn = 4;

} // namespace

PlotCurve::PlotCurve(const QString& title)
    : QwtPlotCurve(title)
{
}

bool PlotCurve::xAscending(int from, int to) const
{
    double previous = sample(from).x();
    for (int i = from + 1; i <= to; ++i) {
        const double x = sample(i).x();
        if (!(x >= previous))
            return false;
        previous = x;
    }
    return true;
}

int PlotCurve::firstAtOrAbove(double x, int from, int to) const
{
    int low = from;
    int high = to + 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (sample(middle).x() < x)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void PlotCurve::drawLines(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                          const QRectF& canvasRect, int from, int to) const
{
    const int budget = kPointsPerColumn * std::max(1, int(canvasRect.width()));
    if (to - from < budget || brush().style() != Qt::NoBrush || testCurveAttribute(Fitted)
        || xMap.s1() > xMap.s2() || !xAscending(from, to)) {
        QwtPlotCurve::drawLines(painter, xMap, yMap, canvasRect, from, to);
        return;
    }

    // One point on either side of the view keeps the line running out of it.
    const double left = xMap.invTransform(canvasRect.left());
    const double right = xMap.invTransform(canvasRect.right());
    const int first = std::max(from, firstAtOrAbove(left, from, to) - 1);
    const int last = std::min(to, firstAtOrAbove(right, from, to));
    if (last - first < budget) {
        QwtPlotCurve::drawLines(painter, xMap, yMap, canvasRect, first, last);
        return;
    }

    // Raster devices get whole pixels, as Qwt's own drawing gives them.
    const bool round = QwtPainter::roundingAlignment(painter);
    const auto map = [&](int i) {
        const QPointF p = sample(i);
        const double px = xMap.transform(p.x());
        const double py = yMap.transform(p.y());
        return round ? QPointF(qRound(px), qRound(py)) : QPointF(px, py);
    };
    ColumnDecimator decimator;
    for (int i = first; i <= last; ++i) {
        const QPointF p = map(i);
        decimator.add(std::size_t(i), p.x(), p.y());
    }
    const std::vector<std::size_t> kept = decimator.finish();
    QPolygonF line;
    line.reserve(int(kept.size()));
    for (std::size_t index : kept)
        line << map(int(index));
    if (testPaintAttribute(ClipPolygons)) {
        const qreal margin = qMax(qreal(1.0), painter->pen().widthF());
        line = QwtClipper::clipPolygonF(canvasRect.adjusted(-margin, -margin, margin, margin), line);
    }
    QwtPainter::drawPolyline(painter, line);
}
