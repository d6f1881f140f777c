#pragma once

struct CurveRecord;
struct SamplingCheck;
class AxesController;

// The sampling frequency of a curve's spectra and figures, by one rule for all of them: the
// rate of the audio file the curve was read from, else the "Hor. Calib." value when the user
// set one, else the rate of the curve's own x steps.
class CurveSampleRate
{
public:
    enum class Source { AudioFile, Calibration, Steps };

    struct Rate {
        double hz = 0;
        Source source = Source::Steps;
    };

    explicit CurveSampleRate(const AxesController& axes);

    // `steps` is the sampling check of the curve's x.
    Rate of(const CurveRecord& record, const SamplingCheck& steps) const;

    // The rate the Fourier transform and the WAV export use: the audio file's, else the
    // "Hor. Calib." value, whether typed or not.
    double ofTransform(const CurveRecord& record) const;

    // Where a rate came from, as the log and the results table name it.
    static const char* sourceName(Source source);

private:
    const AxesController& axes;
};
