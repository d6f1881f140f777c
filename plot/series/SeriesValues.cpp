#include "SeriesValues.h"

#include "EvenSeriesData.h"

#include <qwt_point_data.h>

QVector<double> xValuesOf(const QwtSeriesData<QPointF>& series)
{
    if (const auto* data = dynamic_cast<const QwtPointArrayData*>(&series))
        return data->xData();
    if (const auto* data = dynamic_cast<const EvenSeriesData*>(&series))
        return data->xData();
    QVector<double> xs(static_cast<int>(series.size()));
    for (int i = 0; i < xs.size(); ++i)
        xs[i] = series.sample(std::size_t(i)).x();
    return xs;
}

QVector<double> yValuesOf(const QwtSeriesData<QPointF>& series)
{
    if (const auto* data = dynamic_cast<const QwtPointArrayData*>(&series))
        return data->yData();
    if (const auto* data = dynamic_cast<const EvenSeriesData*>(&series))
        return data->yData();
    QVector<double> ys(static_cast<int>(series.size()));
    for (int i = 0; i < ys.size(); ++i)
        ys[i] = series.sample(std::size_t(i)).y();
    return ys;
}
