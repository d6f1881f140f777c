#pragma once

#include <qwt_date_scale_draw.h>

// Tick labels of an axis whose values are seconds since 1970-01-01T00:00:00 UTC, shown in
// UTC. The format follows how finely the ticks are spaced: times of day with their date below
// them up to hours, then dates, months and years.
class TimeScaleDraw : public QwtDateScaleDraw
{
public:
    TimeScaleDraw();

    QwtText label(double seconds) const override;

protected:
    QwtDate::IntervalType intervalType(const QwtScaleDiv& division) const override;
};
