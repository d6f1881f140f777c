#pragma once

#include <qwt_plot_curve.h>

// A curve that stays quick with millions of points: where a line has many more points than
// the canvas has pixel columns, it draws only the points that decide which pixels are lit,
// and of a zoomed view only the points inside it.
class PlotCurve : public QwtPlotCurve
{
public:
    explicit PlotCurve(const QString& title);

protected:
    void drawLines(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;

private:
    bool xAscending(int from, int to) const;
    int firstAtOrAbove(double x, int from, int to) const;
};
