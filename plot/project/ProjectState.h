#pragma once

#include <QString>
#include <QVector>

#include <array>
#include <vector>

// One curve of a project as the plot draws it. Colours are 0xAARRGGBB; the styles keep the
// numbers of the plot library's enumerations, so that the format layer needs no widget code.
struct ProjectCurve {
    int id = 0;
    QString name;
    // Shared with the drawn curve, never copied: a project of millions of points costs no
    // second copy of them.
    QVector<double> x;
    QVector<double> y;
    bool rightAxis = false;
    // Whether x holds dates and times, in seconds since 1970-01-01T00:00:00 UTC.
    bool xIsTime = false;
    // The rate of the audio file the curve was read from, 0 for any other curve.
    double sampleRate = 0;
    quint32 penColor = 0xff000000;
    double penWidth = 1;
    // Qt::PenStyle: 0 no line, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot.
    int penStyle = 1;
    // QwtPlotCurve::CurveStyle: -1 no curve, 0 lines, 1 sticks, 2 steps, 3 dots.
    int curveStyle = 0;
    // QwtSymbol::Style: -1 no symbol, 0 ellipse … 14 hexagon.
    int symbolStyle = -1;
    int symbolSize = 5;
    quint32 symbolPen = 0xffffffff;
    quint32 symbolBrush = 0xff000000;
    bool legendShowsSymbol = false;
    bool antialiased = true;
};

// The part of one axis the plot shows; an automatic axis follows its curves instead.
struct ProjectAxis {
    double from = 0;
    double to = 1000;
    bool automatic = true;
};

// A peak marker: shown at x, or parked.
struct ProjectMarker {
    bool shown = false;
    double x = 0;
};

// The whole state of one plot window that a project file keeps: curves, titles, axes,
// calibration, the Fourier transform's window, the peak detector, the panels shown and the
// script editor's text. Undo history is not part of it.
struct ProjectState {
    // The version of the file layout this program writes and the newest it reads.
    static constexpr int kFormat = 1;

    QString title;
    QString xTitle;
    QString yTitle;
    QString rightTitle;
    bool rightAxisShown = false;
    quint32 background = 0xffc0c0c0;
    // The index of the View tab's style list.
    int plotStyle = 0;
    // The Range tab's limits as stored, which a zoom does not change.
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    ProjectAxis bottom;
    ProjectAxis left;
    ProjectAxis right;
    bool logX = false;
    bool logY = false;

    // The Fourier transform's sampling frequency, the one the user set (which the analyses
    // use), whether the user set one, and what the "Hor. Calib." field shows.
    double calibration = 1;
    double userCalibration = 1;
    bool calibrationSetByUser = false;
    double calibrationField = 1;
    QString unit = QStringLiteral("#");
    // The index of the Process tab's window list.
    int fftWindow = 0;

    double peakDelta = 1;
    double peakThreshold = 0;
    bool subtractMinimum = false;
    bool negativePeaksListed = false;
    std::array<ProjectMarker, 4> markers{};

    bool toolsShown = false;
    bool statisticsShown = false;
    bool peaksShown = false;

    std::vector<ProjectCurve> curves;
    int currentCurve = -1;
    int nextCurve = 0;

    QString script;
};
