#pragma once

#include "CurveSampleRate.h"

#include <QString>

#include <vector>

struct HarmonicFigures;
struct SamplingCheck;
struct Tone;

// One figure of an analysis: the name kurvo-render prints it under (empty for figures it does
// not print), the name the results table and the log give it, its value and its unit.
struct AnalysisFigure {
    QString key;
    QString label;
    double value = 0;
    QString unit;
};

// The figures of each analysis in the order the table lists them.
class AnalysisFigures
{
public:
    // Frequency and amplitude of each tone, strongest first.
    static std::vector<AnalysisFigure> ofTones(const std::vector<Tone>& tones);
    // The fundamental and the distortion and noise figures, keyed as kurvo-render prints them.
    static std::vector<AnalysisFigure> ofHarmonics(const HarmonicFigures& figures);
    // The amplitude of each harmonic, from the second on.
    static std::vector<AnalysisFigure> ofHarmonicOrders(const HarmonicFigures& figures);
    // The check of the x steps: rate, jitter and gaps.
    static std::vector<AnalysisFigure> ofSampling(const SamplingCheck& check);
    // The sampling frequency an analysis used, named with where it came from.
    static AnalysisFigure ofRate(const CurveSampleRate::Rate& rate);

    // The shortest text that reads back as the same double, as figures are logged and printed.
    static QString exact(double value);
};
