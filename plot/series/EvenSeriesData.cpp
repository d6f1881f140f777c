#include "EvenSeriesData.h"

#include "FreshColumn.h"

#include <algorithm>
#include <cmath>

EvenSeriesData::EvenSeriesData(const EvenX& x, const QVector<double>& y)
    : steps(x)
    , ys(y)
{
}

size_t EvenSeriesData::size() const
{
    return size_t(ys.size());
}

QPointF EvenSeriesData::sample(size_t i) const
{
    return QPointF(steps.at(i), ys[int(i)]);
}

// x is monotonic, so its limits are those of the first and last point whose y is no NaN.
QRectF EvenSeriesData::boundingRect() const
{
    if (d_boundingRect.width() >= 0.0)
        return d_boundingRect;
    int first = -1;
    int last = -1;
    double low = 0.0;
    double high = 0.0;
    for (int i = 0; i < ys.size(); ++i) {
        const double y = ys[i];
        if (std::isnan(y))
            continue;
        if (first < 0) {
            first = i;
            low = high = y;
        }
        last = i;
        low = std::min(low, y);
        high = std::max(high, y);
    }
    if (first < 0)
        return d_boundingRect = QRectF(1.0, 1.0, -2.0, -2.0);
    const double a = steps.at(size_t(first));
    const double b = steps.at(size_t(last));
    d_boundingRect = QRectF(std::min(a, b), low, std::abs(b - a), high - low);
    return d_boundingRect;
}

QVector<double> EvenSeriesData::xData() const
{
    QVector<double> xs = freshColumn(ys.size());
    double* to = xs.data();
    for (int i = 0; i < ys.size(); ++i)
        to[i] = steps.at(size_t(i));
    return xs;
}
