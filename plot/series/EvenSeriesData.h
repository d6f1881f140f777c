#pragma once

#include "EvenX.h"

#include <QVector>

#include <qwt_series_data.h>

// A curve's samples whose x step evenly: only y is held, 8 bytes a point, and x is worked out
// where it is read. Callers that need x as an array get one made for them.
class EvenSeriesData : public QwtSeriesData<QPointF>
{
public:
    EvenSeriesData(const EvenX& x, const QVector<double>& y);

    size_t size() const override;
    QPointF sample(size_t i) const override;
    // The limits of the points without a NaN coordinate, found once.
    QRectF boundingRect() const override;

    const EvenX& x() const { return steps; }
    const QVector<double>& yData() const { return ys; }
    // x as an array, made anew at each call.
    QVector<double> xData() const;

private:
    EvenX steps;
    QVector<double> ys;
};
