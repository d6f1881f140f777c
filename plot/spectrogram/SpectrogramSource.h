#pragma once

#include "analysis/CurveSampleRate.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <cstddef>
#include <memory>

class AvailableMemory;
class AxesController;
class CurveStore;
class Spectrogram;

// The curve a spectrogram is made of, as it was when read: its values, its sampling frequency
// by the rule of every spectrum (CurveSampleRate) and where its time starts. The window keeps
// it, so that it can recompute after the curve has changed or gone. Every refusal is a message
// for the user in failure(); nothing is thrown.
class SpectrogramSource
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    struct Settings {
        std::size_t length = 4096;
        double overlapPercent = 50;
        std::size_t window = 0;
    };

    // The current curve of `store`; false when there is none or it has missing values.
    bool readCurrent(const CurveStore& store, const AxesController& axes);

    const QString& title() const { return curveTitle; }
    std::size_t count() const { return std::size_t(values.size()); }
    const CurveSampleRate::Rate& rate() const { return sampleRate; }
    // Whether x holds dates and times, and the first x, where the segments' times start.
    bool xIsTime() const { return dates; }
    double firstX() const { return start; }
    // A line for the log when the x steps are uneven, which the spectrogram does not show.
    const QString& samplingNote() const { return note; }
    const QString& failure() const { return why; }

    // Null, with failure(), when the settings do not fit the curve or the matrix would take
    // more memory than `memory` says is there.
    std::shared_ptr<const Spectrogram> compute(const Settings& settings, const AvailableMemory& memory);

private:
    QVector<double> values;
    QString curveTitle;
    CurveSampleRate::Rate sampleRate;
    bool dates = false;
    double start = 0;
    QString note;
    QString why;
};
