#pragma once

#include <qwt_plot_curve.h>

// A curve that stays quick with millions of points: where it has many more points than the
// canvas has pixel columns, it draws only the points that decide which pixels are lit, as
// lines, sticks, steps or dots, whatever the order of x; of a zoomed view, only the points
// inside it. Symbols still mark every visible point.
class PlotCurve : public QwtPlotCurve
{
public:
    explicit PlotCurve(const QString& title);

protected:
    void drawLines(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;
    void drawSticks(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                    const QRectF& canvasRect, int from, int to) const override;
    void drawSteps(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;
    void drawDots(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                  const QRectF& canvasRect, int from, int to) const override;

private:
    bool worthThinning(const QRectF& canvasRect, int from, int to) const;
    void visibleRange(const QwtScaleMap& xMap, const QRectF& canvasRect, int& from, int& to) const;
    void drawThinnedPolyline(QPainter* painter, QPolygonF line, const QRectF& canvasRect) const;
};
