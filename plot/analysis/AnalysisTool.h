#pragma once

#include "AnalysisFigures.h"
#include "CurveRewrite.h"
#include "CurveSampleRate.h"
#include "HarmonicAnalysis.h"
#include "SamplingCheck.h"
#include "Spectrum.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <cstddef>
#include <functional>
#include <vector>

class AxesController;
class CurveStore;
class PlotLog;
class UndoStore;
struct CurveRecord;

// The spectral analyses of the Analysis tab and kurvo-render. The averaged power spectral
// density and the amplitude spectrum replace every curve in place as the FFT does: one undo
// step, the curves in identifier order, refused before anything changes when a curve has
// missing values or too few points, and every curve put back when one fails. Tones, Harmonics
// and Sampling measure the current curve and keep its figures for the table. Each curve's
// sampling frequency follows CurveSampleRate, and a curve whose x steps are uneven is named
// in the log before it is used. Every refusal is a log line; nothing is thrown.
class AnalysisTool
{
    Q_DECLARE_TR_FUNCTIONS(PlotServer)

public:
    // `curveChanged` runs for every curve given new samples, once the axes show them all.
    AnalysisTool(CurveStore& store, AxesController& axes, UndoStore& undo, PlotLog& log,
                 std::function<void(int)> curveChanged);

    // The figures of the last Tones, Harmonics or Sampling run, empty after a failed one.
    const std::vector<AnalysisFigure>& figures() const { return lastFigures; }
    const std::vector<Tone>& tones() const { return lastTones; }
    const HarmonicFigures& harmonics() const { return lastHarmonics; }
    const SamplingCheck& sampling() const { return lastSampling; }
    // Why the last operation changed nothing or measured nothing, as logged without the
    // program's name; empty after one that succeeded.
    const QString& lastFailure() const { return failure; }

    // Every curve becomes its spectrum: x in Hz, y in unit²/Hz or in the unit of y. False when
    // refused or failed, with every curve as it was.
    bool applyPsd(std::size_t length, double overlapPercent, std::size_t window);
    bool applyAmplitude(std::size_t window);
    // Figures of the current curve; false when there is none or it cannot be measured.
    bool findTones(std::size_t count, std::size_t window);
    // A fundamental of 0 Hz or less stands for the strongest tone.
    bool analyseHarmonics(double fundamentalHz, std::size_t window);
    bool checkSampling();

private:
    // A curve as an analysis reads it: its samples, the check of its x and its rate.
    struct Samples {
        QString title;
        QVector<double> x;
        QVector<double> y;
        SamplingCheck check;
        CurveSampleRate::Rate rate;
    };
    using Transform = std::function<Spectrum(const Samples&)>;
    using Measure = std::function<std::vector<AnalysisFigure>(const Samples&)>;

    bool transformAll(const QString& operation, std::size_t minimumPoints, const Transform& transform);
    bool transformCurve(int id, const QString& operation, const Transform& transform);
    // `spectral` measures need every y value and two points at least.
    bool measureCurrent(const QString& operation, bool spectral, const Measure& measure);
    // Why `record` cannot be analysed; empty when it can.
    static QString refusal(const CurveRecord& record, std::size_t minimumPoints);
    Samples read(int id) const;
    void logFigures(const QString& operation, const QString& title) const;
    void fail(const QString& text);

    CurveStore& store;
    PlotLog& log;
    CurveSampleRate sampleRate;
    CurveRewrite rewrite;
    std::vector<AnalysisFigure> lastFigures;
    std::vector<Tone> lastTones;
    HarmonicFigures lastHarmonics;
    SamplingCheck lastSampling;
    QString failure;
};
