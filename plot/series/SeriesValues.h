#pragma once

#include <QPointF>
#include <QVector>

#include <qwt_series_data.h>

// A series' x and y as arrays. Curves hold their samples as arrays, or y as an array and x as a
// start and a step: those arrays are shared, x of a start and a step is made; any other series
// is read point by point.
QVector<double> xValuesOf(const QwtSeriesData<QPointF>& series);
QVector<double> yValuesOf(const QwtSeriesData<QPointF>& series);
