#include "CurveSampleRate.h"

#include "AxesController.h"
#include "CurveRecord.h"
#include "SamplingCheck.h"

CurveSampleRate::CurveSampleRate(const AxesController& axes)
    : axes(axes)
{
}

// An audio curve's x counts samples, so neither its steps nor a calibration typed for other
// curves knows its rate; the file does.
CurveSampleRate::Rate CurveSampleRate::of(const CurveRecord& record, const SamplingCheck& steps) const
{
    if (record.sampleRate > 0)
        return {record.sampleRate, Source::AudioFile};
    if (axes.horCalibrationSetByUser())
        return {axes.userHorCalibration(), Source::Calibration};
    return {steps.rate, Source::Steps};
}

double CurveSampleRate::ofTransform(const CurveRecord& record) const
{
    return record.sampleRate > 0 ? record.sampleRate : axes.userHorCalibration();
}

const char* CurveSampleRate::sourceName(Source source)
{
    switch (source) {
    case Source::AudioFile:
        return "audio file";
    case Source::Calibration:
        return "Hor. Calib.";
    case Source::Steps:
        break;
    }
    return "x steps";
}
