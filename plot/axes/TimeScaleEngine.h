#pragma once

#include <qwt_date_scale_engine.h>

// Ticks on whole seconds, minutes, hours, days, months or years in UTC, for an axis whose
// values are seconds since 1970-01-01T00:00:00 UTC. Qwt's dates count milliseconds, so the
// limits go there and the ticks come back.
class TimeScaleEngine : public QwtDateScaleEngine
{
public:
    static constexpr double kMillisecondsPerSecond = 1000.0;

    TimeScaleEngine();

    // Every limit and tick multiplied by `factor`.
    static QwtScaleDiv rescaled(const QwtScaleDiv& division, double factor);

    void autoScale(int maxNumSteps, double& x1, double& x2, double& stepSize) const override;
    QwtScaleDiv divideScale(double x1, double x2, int maxMajorSteps, int maxMinorSteps,
                            double stepSize = 0.0) const override;
};
