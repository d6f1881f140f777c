#pragma once

#include <QString>

class QPointF;
class QwtPlot;

// Whether the bottom axis shows dates and times or numbers: dates while the curves' x hold
// dates and times and the axis is linear. A logarithmic axis shows numbers, whatever x holds.
class TimeAxis
{
public:
    explicit TimeAxis(QwtPlot* plot);

    bool showsDates() const { return curvesHaveTime && !logarithmic; }
    // Nothing changes while the setting stays.
    void setCurvesHaveTime(bool on);
    // Installs the logarithmic or linear engine, the latter with dates where they are due.
    void setLogarithmic(bool on);

    // What a tracker on `xAxis` shows at `pos` while that axis shows dates: x as a date and
    // time, to the millisecond while the axis spans less than a minute, then y. Empty while
    // the axis shows numbers.
    static QString trackerText(const QwtPlot* plot, int xAxis, const QPointF& pos);

private:
    void install();

    QwtPlot* plot;
    bool curvesHaveTime = false;
    bool logarithmic = false;
    bool datesDrawn = false;
};
