#pragma once

#include "DataRange.h"
#include "EvenX.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>
#include <vector>

// What every reader makes of a data file, and all the plot needs to show it: the curves, which
// share one x array and are titled "%1.%2" with `title` and their identifier, the range the
// axes show afterwards, and the log lines in the order they arose. No y column means there is
// nothing to plot.
struct ImportedData {
    // The curves share these arrays instead of copying them.
    using Column = QVector<double>;

    // How the curves are drawn: sticks come with a wide pen, after a short look at the lines.
    enum class Look { Lines, Sticks };

    QString title;
    // A curve's own title where the file names it (a header row); empty ones take the default.
    QStringList curveTitles;
    Column x;
    // Where x steps evenly, as the sample numbers of a sound file, it is kept as a start and a
    // step and `x` stays empty.
    std::optional<EvenX> evenX;
    std::vector<Column> y;
    DataRange range;
    Look look = Look::Lines;
    // Whether the current curve follows every curve added (and ends on the last), or stays on
    // the first one.
    bool selectEachCurve = true;
    // Samples per second of an audio file, which sets the frequency scale of the Fourier
    // transform; 0 for every other file, whose x values carry their own unit.
    double sampleRate = 0.0;
    // Whether x holds dates and times, as seconds since 1970-01-01T00:00:00 UTC: the bottom
    // axis then shows them as dates.
    bool xIsTime = false;
    // Lines logged before the curves are added, and after they are shown.
    QStringList log;
    QStringList closingLog;
};
