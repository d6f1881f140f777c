#pragma once

#include "Detrend.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

// One operation that makes a new curve from a curve: a filter, the derivative or the integral,
// resampling or removing a trend; what kurvo-render's --filter names and the Filters dialog
// sets. The new curve's name is the old one's followed by `suffix()`: "NAME lowpass 100 Hz".
struct FilterSpec {
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    enum class Kind { Mean, Median, SavitzkyGolay, LowPass, HighPass, BandPass, Derivative, Integral, Resample, Detrend };

    // The Butterworth order when none is given.
    static constexpr int kDefaultOrder = 4;

    // What an operation gives: new y at the curve's own x, or new x and y (resampling).
    struct Output {
        std::vector<double> x;
        std::vector<double> y;
    };

    Kind kind = Kind::Mean;
    // Points of a moving window or of a Savitzky-Golay window.
    std::size_t window = 5;
    // The Savitzky-Golay polynomial's degree or the Butterworth filter's order.
    int order = kDefaultOrder;
    // The cutoff in Hz, or the lower edge of a band.
    double low = 0;
    double high = 0;
    double step = 0;
    Trend trend = Trend::Mean;

    // "NAME[,ARG...]": mean,W  median,W  savgol,W,ORDER  lowpass,F[,ORDER]  highpass,F[,ORDER]
    // bandpass,F1,F2[,ORDER]  derivative  integral  resample,STEP  detrend,mean|linear. False,
    // with a one-line reason, for anything else.
    static bool parse(const QString& text, FilterSpec& spec, QString& error);
    // The name of each kind as parse() reads it, in the order of Kind.
    static QStringList names();

    QString suffix() const;
    // Whether it needs the curve's sampling frequency: the filters by frequency.
    bool byFrequency() const;
    // Whether the new curve has x of its own instead of the old curve's.
    bool newX() const { return kind == Kind::Resample; }

    // The new curve from (x, y); `rate` is the sampling frequency in Hz for the filters by
    // frequency and `maxPoints` bounds what resampling may make. Throws std::invalid_argument
    // with a message for the user; may throw std::bad_alloc.
    Output run(const double* x, const double* y, std::size_t count, double rate, std::size_t maxPoints) const;
};
