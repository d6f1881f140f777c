#include "TimeScaleDraw.h"

#include "TimeScaleEngine.h"

#include <cmath>

// Below a day the date stands under the time, since nothing else on the axis names the day.
TimeScaleDraw::TimeScaleDraw()
    : QwtDateScaleDraw(Qt::UTC)
{
    setDateFormat(QwtDate::Millisecond, QStringLiteral("hh:mm:ss.zzz\nyyyy-MM-dd"));
    setDateFormat(QwtDate::Second, QStringLiteral("hh:mm:ss\nyyyy-MM-dd"));
    setDateFormat(QwtDate::Minute, QStringLiteral("hh:mm:ss\nyyyy-MM-dd"));
    setDateFormat(QwtDate::Hour, QStringLiteral("hh:mm\nyyyy-MM-dd"));
    setDateFormat(QwtDate::Day, QStringLiteral("yyyy-MM-dd"));
    setDateFormat(QwtDate::Week, QStringLiteral("yyyy-MM-dd"));
    setDateFormat(QwtDate::Month, QStringLiteral("yyyy-MM"));
    setDateFormat(QwtDate::Year, QStringLiteral("yyyy"));
}

// Rounded to the millisecond: a tick a rounding error below a whole second would show the
// second before it.
QwtText TimeScaleDraw::label(double seconds) const
{
    return QwtDateScaleDraw::label(std::round(seconds * TimeScaleEngine::kMillisecondsPerSecond));
}

QwtDate::IntervalType TimeScaleDraw::intervalType(const QwtScaleDiv& division) const
{
    return QwtDateScaleDraw::intervalType(TimeScaleEngine::rescaled(division, TimeScaleEngine::kMillisecondsPerSecond));
}
