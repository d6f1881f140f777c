#include "AnalysisFigures.h"

#include "HarmonicAnalysis.h"
#include "SamplingCheck.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PlotServer", text);
}

} // namespace

std::vector<AnalysisFigure> AnalysisFigures::ofTones(const std::vector<Tone>& tones)
{
    std::vector<AnalysisFigure> rows;
    for (std::size_t i = 0; i < tones.size(); ++i) {
        const QString number = QString::number(i + 1);
        rows.push_back({QString(), tr("Tone %1 frequency").arg(number), tones[i].frequency, tr("Hz")});
        rows.push_back({QString(), tr("Tone %1 amplitude").arg(number), tones[i].amplitude, QString()});
    }
    return rows;
}

std::vector<AnalysisFigure> AnalysisFigures::ofHarmonics(const HarmonicFigures& figures)
{
    return {
        {QStringLiteral("fundamental_hz"), tr("Fundamental"), figures.fundamentalHz, tr("Hz")},
        {QStringLiteral("fundamental_amplitude"), tr("Fundamental amplitude"), figures.fundamentalAmplitude, QString()},
        {QStringLiteral("thd_percent"), tr("THD"), figures.thdPercent, QStringLiteral("%")},
        {QStringLiteral("thd_db"), tr("THD"), figures.thdDb, tr("dB")},
        {QStringLiteral("thdn_db"), tr("THD+N"), figures.thdnDb, tr("dB")},
        {QStringLiteral("snr_db"), tr("SNR"), figures.snrDb, tr("dB")},
        {QStringLiteral("sinad_db"), tr("SINAD"), figures.sinadDb, tr("dB")},
        {QStringLiteral("enob_bits"), tr("ENOB"), figures.enobBits, tr("bits")},
        {QStringLiteral("sfdr_dbc"), tr("SFDR"), figures.sfdrDbc, tr("dBc")},
    };
}

// The list holds the orders below Nyquist from the second on, so its place gives the order.
std::vector<AnalysisFigure> AnalysisFigures::ofHarmonicOrders(const HarmonicFigures& figures)
{
    std::vector<AnalysisFigure> rows;
    for (std::size_t i = 0; i < figures.harmonics.size(); ++i)
        rows.push_back({QString(), tr("Harmonic %1 amplitude").arg(i + 2), figures.harmonics[i].amplitude, QString()});
    return rows;
}

std::vector<AnalysisFigure> AnalysisFigures::ofSampling(const SamplingCheck& check)
{
    return {
        {QStringLiteral("rate"), tr("Rate of the x steps"), check.rate, tr("Hz")},
        {QStringLiteral("jitter"), tr("Jitter of the x steps"), check.jitter, QString()},
        {QStringLiteral("gaps"), tr("Gaps in x"), double(check.gaps), QString()},
    };
}

AnalysisFigure AnalysisFigures::ofRate(const CurveSampleRate::Rate& rate)
{
    return {QString(), tr("Sampling frequency (%1)").arg(tr(CurveSampleRate::sourceName(rate.source))), rate.hz,
            tr("Hz")};
}

// Every NaN is "nan": its sign means nothing, and "-nan" is no number any reader reads.
QString AnalysisFigures::exact(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}
