#pragma once

#include "CurveStatistics.h"

#include <QtGlobal>

class QwtPlotCurve;

// One curve of the plot: its axis, its statistics as of its last samples, and the drawn curve,
// which holds title, pen, symbol and its own copy of the samples. The curve belongs to the plot.
struct CurveRecord : CurveStatistics {
    // The finite limits of the samples, taken with the statistics.
    DataRange range;
    int rightAxis = 0;
    // Whether x holds dates and times, in seconds since 1970-01-01T00:00:00 UTC.
    bool xIsTime = false;
    // The rate of the audio file the curve was read from, in Hz: the sampling frequency of
    // its spectra whatever the calibration field shows. 0 for any other curve, and once a
    // transform has given x other values.
    double sampleRate = 0;
    // Numbers every curve the store adds, never used twice while the store lives: a curve that
    // took another's identifier is told apart from it.
    quint64 serial = 0;
    QwtPlotCurve* curve = nullptr;
};
