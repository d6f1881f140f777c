#include "TimeScaleEngine.h"

TimeScaleEngine::TimeScaleEngine()
    : QwtDateScaleEngine(Qt::UTC)
{
}

QwtScaleDiv TimeScaleEngine::rescaled(const QwtScaleDiv& division, double factor)
{
    QList<double> ticks[QwtScaleDiv::NTickTypes];
    for (int type = 0; type < QwtScaleDiv::NTickTypes; ++type) {
        for (double tick : division.ticks(type))
            ticks[type] << tick * factor;
    }
    return QwtScaleDiv(division.lowerBound() * factor, division.upperBound() * factor,
                       ticks[QwtScaleDiv::MinorTick], ticks[QwtScaleDiv::MediumTick], ticks[QwtScaleDiv::MajorTick]);
}

void TimeScaleEngine::autoScale(int maxNumSteps, double& x1, double& x2, double& stepSize) const
{
    x1 *= kMillisecondsPerSecond;
    x2 *= kMillisecondsPerSecond;
    QwtDateScaleEngine::autoScale(maxNumSteps, x1, x2, stepSize);
    x1 /= kMillisecondsPerSecond;
    x2 /= kMillisecondsPerSecond;
    stepSize /= kMillisecondsPerSecond;
}

// The limits stay exactly as asked: scaled there and back they could miss by a rounding
// error. An interval beyond the dates Qt knows gets plain decimal ticks rather than none.
QwtScaleDiv TimeScaleEngine::divideScale(double x1, double x2, int maxMajorSteps, int maxMinorSteps,
                                         double stepSize) const
{
    const QwtScaleDiv inMilliseconds =
        QwtDateScaleEngine::divideScale(x1 * kMillisecondsPerSecond, x2 * kMillisecondsPerSecond, maxMajorSteps,
                                        maxMinorSteps, stepSize * kMillisecondsPerSecond);
    if (inMilliseconds.ticks(QwtScaleDiv::MajorTick).isEmpty())
        return QwtLinearScaleEngine::divideScale(x1, x2, maxMajorSteps, maxMinorSteps, stepSize);
    QwtScaleDiv division = rescaled(inMilliseconds, 1.0 / kMillisecondsPerSecond);
    division.setInterval(x1, x2);
    return division;
}
