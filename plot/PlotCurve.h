#pragma once

#include <qwt_plot_curve.h>

#include <functional>
#include <memory>

class MinMaxPyramid;
class QTimer;
struct PyramidJob;

// A curve that stays quick with millions of points: where it has many more points than the
// canvas has pixel columns, it draws only the points that decide which pixels are lit, as
// lines, sticks, steps or dots, whatever the order of x; of a zoomed view, only the points
// inside it. Symbols still mark every visible point. A point with a NaN coordinate, or one
// its axis cannot show (an infinity, or a value drawn so far out that the clipping of a line
// to it would overflow), is a gap: the curve is drawn in pieces between gaps, and nothing is
// drawn for the gap itself, neither line nor symbol. Nothing far off the canvas reaches the
// paint device: lines and steps are clipped to it, sticks end at its edges, dots and symbols
// off it are not drawn, so a picture is valid for any data. A curve held in arrays whose x
// ascends keeps the lowest and highest y of blocks of its samples, built at its first thinned
// drawing, so that a view reads a few blocks per pixel column and the same points are drawn.
// A long curve's blocks are built beside a window that shows it, which draws every point
// meanwhile and redraws once they are there.
class PlotCurve : public QwtPlotCurve
{
public:
    explicit PlotCurve(const QString& title);
    ~PlotCurve() override;

    // The finite limits of the samples; no limits in a direction without a finite value.
    QRectF boundingRect() const override;

protected:
    void dataChanged() override;
    // Yellow and cyan lines get a darker rim, so that they show on the grey canvas.
    void drawCurve(QPainter* painter, int style, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;
    void drawLines(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;
    void drawSticks(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                    const QRectF& canvasRect, int from, int to) const override;
    void drawSteps(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;
    void drawDots(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                  const QRectF& canvasRect, int from, int to) const override;
    void drawSymbols(QPainter* painter, const QwtSymbol& symbol, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                     const QRectF& canvasRect, int from, int to) const override;

private:
    bool drawsLineItself() const;
    bool worthThinning(const QRectF& canvasRect, int from, int to) const;
    const MinMaxPyramid* levelOfDetail() const;
    void startLevelOfDetail() const;
    void takeFinishedJob() const;
    void visibleRange(const QwtScaleMap& xMap, const QRectF& canvasRect, int& from, int& to) const;
    void drawClippedPolyline(QPainter* painter, const QPolygonF& line, const QRectF& canvasRect) const;
    void drawPieces(QPainter* painter, const QPolygonF& line, const QRectF& canvasRect) const;
    void forEachPiece(const QwtScaleMap& xMap, const QwtScaleMap& yMap, int from, int to,
                      const std::function<void(int, int)>& draw) const;
    void forEachShown(const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& area, int from, int to,
                      const std::function<void(int, int)>& draw) const;

    mutable QRectF bounds;
    mutable bool boundsKnown = false;
    mutable std::unique_ptr<MinMaxPyramid> pyramid;
    mutable bool pyramidKnown = false;
    mutable std::shared_ptr<PyramidJob> job;
    mutable std::unique_ptr<QTimer> jobWatch;
};
