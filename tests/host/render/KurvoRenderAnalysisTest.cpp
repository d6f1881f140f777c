#include "KurvoRenderFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The analysis options of kurvo-render, run as a user runs the program, on inputs whose
// figures are known.
class KurvoRenderAnalysisTest : public KurvoRenderFixture
{
protected:
    // A sine of amplitude 0.5 at `hz`, 4800 points sampled at 48 kHz, x in seconds.
    QString sineTable(double hz = 1000)
    {
        QByteArray table;
        for (int i = 0; i < 4800; ++i)
            table += exact(i / 48000.0) + ';' + exact(0.5 * std::sin(2 * M_PI * hz * i / 48000.0)) + '\n';
        return write(QStringLiteral("sine%1.csv").arg(hz), table);
    }
};

// name,value lines as a map-free list, in the order printed.
std::vector<std::pair<QString, double>> figures(const QString& out)
{
    std::vector<std::pair<QString, double>> rows;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
        rows.emplace_back(line.section(',', 0, 0), line.section(',', 1).toDouble());
    return rows;
}

TEST_F(KurvoRenderAnalysisTest, TonesAtTheRateOfTheXSteps)
{
    const Outcome run = render({sineTable(), "--tones", "1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const auto tones = figures(run.out);
    ASSERT_EQ(tones.size(), 1u) << run.out.toStdString();
    EXPECT_NEAR(tones[0].first.toDouble(), 1000, 1e-6);
    EXPECT_NEAR(tones[0].second, 0.5, 1e-9);
}

// The calibration is the sampling frequency of a curve from no audio file, and an audio
// file's rate that of its own curves, whatever the calibration says.
TEST_F(KurvoRenderAnalysisTest, AudioRateWinsOverTheCalibration)
{
    const QString script = write("tone.ms", "iterate 4800\nexpr = 0.5*sin(2*pi*1000*x/48000)\n");
    const Outcome calibrated = render({script, "--calibrate", "96000", "--tones", "1"});
    ASSERT_EQ(calibrated.status, 0) << calibrated.err.toStdString();
    EXPECT_NEAR(figures(calibrated.out).at(0).first.toDouble(), 2000, 1e-6);

    ASSERT_EQ(render({script, "--calibrate", "48000", "-o", "tone.wav"}).status, 0);
    const Outcome wav = render({dir.filePath("tone.wav"), "--calibrate", "1000", "--tones", "1,Blackman Harris"});
    ASSERT_EQ(wav.status, 0) << wav.err.toStdString();
    EXPECT_NEAR(figures(wav.out).at(0).first.toDouble(), 1000, 1e-3);
}

// The test tone's distortion is known: THD 0.1049 %, SNR about 97 dB from 16 bits.
TEST_F(KurvoRenderAnalysisTest, HarmonicsOfTheTestTone)
{
    const QString tone = QStringLiteral(KURVO_EXAMPLES_DIR "/test-tone.ms");
    for (const QStringList& option : {QStringList{"--harmonics"}, QStringList{"--harmonics", "997,hann"}}) {
        const Outcome run = render(QStringList{tone} + option);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const auto rows = figures(run.out);
        const QStringList keys{"fundamental_hz", "fundamental_amplitude", "thd_percent", "thd_db", "thdn_db",
                               "snr_db", "sinad_db", "enob_bits", "sfdr_dbc"};
        ASSERT_EQ(rows.size(), std::size_t(keys.size())) << run.out.toStdString();
        for (int i = 0; i < keys.size(); ++i)
            EXPECT_EQ(rows[std::size_t(i)].first, keys[i]);
        EXPECT_NEAR(rows[0].second, 997, 1e-3);
        EXPECT_NEAR(rows[1].second, 0.9, 1e-4);
        EXPECT_NEAR(rows[2].second, 0.1049, 1e-3);
        EXPECT_NEAR(rows[5].second, 97.2, 0.5);
    }
}

// Steps of 1 with one step of 2: rate 1, one gap.
TEST_F(KurvoRenderAnalysisTest, SamplingOfTheCurrentCurve)
{
    const QString steps = write("steps.csv", "0;1\n1;2\n2;3\n4;4\n5;5\n6;6\n");
    const Outcome run = render({steps, "--sampling"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const auto rows = figures(run.out);
    ASSERT_EQ(rows.size(), 3u) << run.out.toStdString();
    EXPECT_EQ(rows[0], std::make_pair(QString("rate"), 1.0));
    EXPECT_EQ(rows[1].first, "jitter");
    EXPECT_GT(rows[1].second, 1e-3);
    EXPECT_EQ(rows[2], std::make_pair(QString("gaps"), 1.0));
}

// A sine of amplitude A holds A²/2 of power, whatever the segments; the amplitude spectrum
// of a tone on a bin reads A there.
TEST_F(KurvoRenderAnalysisTest, SpectraOfEveryCurve)
{
    const Outcome psd = render({sineTable(), "--psd", "960,50,Blackman Harris", "--dump", "-"});
    ASSERT_EQ(psd.status, 0) << psd.err.toStdString();
    QStringList lines = psd.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 481);
    double power = 0;
    for (int i = 1; i < lines.size(); ++i)
        power += lines[i].section(',', 3).toDouble() * 50;
    EXPECT_NEAR(lines[2].section(',', 2, 2).toDouble(), 50, 1e-6);
    EXPECT_NEAR(power, 0.125, 0.125 * 1e-3);

    const Outcome amplitude = render({sineTable(), "--amplitude", "Rectangular", "--stats"});
    ASSERT_EQ(amplitude.status, 0) << amplitude.err.toStdString();
    EXPECT_TRUE(amplitude.out.contains("\nMaximum 0.5\n")) << amplitude.out.toStdString();
    EXPECT_TRUE(amplitude.out.contains("\nSamples 2401\n")) << amplitude.out.toStdString();

    const Outcome before = render({sineTable(), "--dump", "-"});
    const Outcome undone = render({sineTable(), "--psd", "256", "--amplitude", "--undo", "--undo", "--dump", "-"});
    ASSERT_EQ(undone.status, 0) << undone.err.toStdString();
    EXPECT_EQ(undone.out, before.out);
}

// A curve with a missing value or too few points changes nothing and fails the command.
TEST_F(KurvoRenderAnalysisTest, RefusalsFailTheCommand)
{
    const QString gap = write("gap.ms", "iterate 64\nstep 1\nexpr = x + 0/(x-1)\n");
    struct Row {
        QStringList arguments;
        const char* error;
    };
    const Row rows[] = {
        {{gap, "--psd", "16"}, "PSD refused: f(y) has 1 missing values"},
        {{gap, "--tones", "2"}, "Tones refused: f(y) has 1 missing values"},
        {{sineTable(), "--psd", "4801"}, "PSD refused: sine1000.0 has 4800 points; it needs at least 4801"},
    };
    for (const Row& row : rows) {
        const Outcome run = render(row.arguments);
        EXPECT_EQ(run.status, 2) << row.error;
        EXPECT_EQ(run.err, QStringLiteral("kurvo-render: %1\n").arg(row.error));
    }
}

TEST_F(KurvoRenderAnalysisTest, BadValuesAreUsageErrors)
{
    const QString table = sineTable();
    struct Row {
        QStringList option;
        const char* error;
    };
    const Row rows[] = {
        {{"--psd", "1"}, "--psd takes L[,OVERLAP[,WINDOW]] with L from 2 to 16777216 points"},
        {{"--psd", "16777217"}, "--psd takes L[,OVERLAP[,WINDOW]]"},
        {{"--psd", "256,99.5"}, "--psd takes L[,OVERLAP[,WINDOW]]"},
        {{"--psd", "256,50,Hamm"}, "--psd: no window is called Hamm; the windows are Triangular, Welch,"},
        {{"--tones", "0"}, "--tones takes N[,WINDOW] with N from 1 to 100: 0"},
        {{"--tones", "101"}, "--tones takes N[,WINDOW]"},
        {{"--tones", "2,square"}, "--tones: no window is called square"},
        {{"--harmonics", "1000,square"}, "--harmonics: no window is called square"},
        {{"--harmonics", "x,Hann"}, "--harmonics takes [F0][,WINDOW] with F0 a frequency in Hz, 0 or more: x,Hann"},
        {{"--harmonics", "1,2,3"}, "--harmonics takes [F0][,WINDOW]"},
    };
    for (const Row& row : rows) {
        const Outcome run = render(QStringList{table} + row.option);
        EXPECT_EQ(run.status, 2) << row.error;
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("kurvo-render: %1").arg(row.error))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST_F(KurvoRenderAnalysisTest, HelpNamesTheAnalyses)
{
    const Outcome help = render({"--help"});
    for (const char* option : {"\n  --psd L[,OVERLAP[,WINDOW]]\n", "\n  --amplitude [WINDOW] ",
                               "\n  --tones N[,WINDOW] ", "\n  --harmonics [F0][,WINDOW]\n", "\n  --sampling "})
        EXPECT_TRUE(help.out.contains(option)) << option;
}

} // namespace
