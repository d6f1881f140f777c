#include "CurveRecord.h"
#include "LogCollector.h"
#include "PlotServerFixture.h"
#include "UndoStore.h"
#include "WavWriter.h"
#include "analysis/AnalysisTool.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <qwt_plot_curve.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// A sine of amplitude 0.5 at 50 Hz, sampled at 1 kHz; x in seconds.
struct Signal {
    std::vector<double> x;
    std::vector<double> y;
};

Signal sine(std::size_t n, double rate = 1000.0, double hz = 50.0)
{
    Signal s{std::vector<double>(n), std::vector<double>(n)};
    for (std::size_t i = 0; i < n; ++i) {
        s.x[i] = double(i) / rate;
        s.y[i] = 0.5 * std::sin(2 * M_PI * hz * double(i) / rate);
    }
    return s;
}

class AnalysisPanelTest : public PlotServerFixture<>
{
protected:
    AnalysisPanelTest()
    {
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
    }

    void add(const Signal& s) { server.createPlot(-1, "f(y)", unsigned(s.y.size()), s.x.data(), s.y.data(), false, 0); }

    template <typename T>
    T* child(const char* name)
    {
        T* widget = server.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void click(const char* button) { QTest::mouseClick(child<QAbstractButton>(button), Qt::LeftButton); }

    QTableWidget* table() { return child<QTableWidget>("analysisTable"); }
};

TEST_F(AnalysisPanelTest, DefaultsAndRanges)
{
    EXPECT_EQ(child<QComboBox>("analysisWindowCB")->count(), 12);
    EXPECT_EQ(child<QComboBox>("analysisWindowCB")->currentText(), "Hann");
    const auto* length = child<QSpinBox>("psdLengthSB");
    EXPECT_EQ(length->value(), 4096);
    EXPECT_EQ(length->minimum(), 2);
    EXPECT_EQ(length->maximum(), 1 << 24);
    EXPECT_EQ(child<QSpinBox>("psdOverlapSB")->value(), 50);
    EXPECT_EQ(child<QSpinBox>("psdOverlapSB")->maximum(), 99);
    EXPECT_EQ(child<QSpinBox>("tonesCountSB")->value(), 5);
    EXPECT_EQ(child<QDoubleSpinBox>("fundamentalSB")->text(), "automatic");
    EXPECT_TRUE(table()->isHidden());
}

// One undo step gives back both curves exactly, x as it was.
TEST_F(AnalysisPanelTest, PsdThenUndoRestores)
{
    const Signal a = sine(2048);
    const Signal b = sine(1000, 1000.0, 120.0);
    add(a);
    add(b);
    child<QSpinBox>("psdLengthSB")->setValue(256);
    click("psdPB");
    ASSERT_EQ(values(0, false).size(), 129u);
    // The rate comes from the x steps, 1 ms each to rounding.
    EXPECT_NEAR(values(0, false)[1], 1000.0 / 256, 1e-9);
    EXPECT_EQ(values(1, true).size(), 129u);
    EXPECT_EQ(server.undoFiles().counter(), 1);

    click("undoTB");
    EXPECT_EQ(values(0, false), a.x);
    EXPECT_EQ(values(0, true), a.y);
    EXPECT_EQ(values(1, false), b.x);
    EXPECT_EQ(values(1, true), b.y);
}

TEST_F(AnalysisPanelTest, TonesFillTheTableAndTheLog)
{
    add(sine(1000));
    child<QSpinBox>("tonesCountSB")->setValue(1);
    click("tonesPB");

    const AnalysisTool& tool = server.analysisTool();
    ASSERT_EQ(tool.tones().size(), 1u);
    EXPECT_NEAR(tool.tones()[0].frequency, 50.0, 1e-6);
    EXPECT_NEAR(tool.tones()[0].amplitude, 0.5, 1e-6);
    ASSERT_FALSE(table()->isHidden());
    ASSERT_EQ(table()->rowCount(), int(tool.figures().size()));
    EXPECT_EQ(table()->item(0, 0)->text(), "Tone 1 frequency");
    EXPECT_EQ(table()->item(0, 2)->text(), "Hz");
    EXPECT_EQ(table()->item(2, 0)->text(), "Sampling frequency (x steps)");
    EXPECT_TRUE(logged(QStringLiteral("Kurvo: Tones of f(y): Tone 1 frequency %1 Hz")
                           .arg(AnalysisFigures::exact(tool.tones()[0].frequency))));

    // The figures of a curve that a spectrum replaced go with it.
    click("amplitudePB");
    EXPECT_TRUE(table()->isHidden());

    // A run that measures nothing leaves no figures of the run before on show.
    click("tonesPB");
    ASSERT_FALSE(table()->isHidden());
    server.deletePlot(0);
    click("tonesPB");
    EXPECT_TRUE(table()->isHidden());
    EXPECT_EQ(tool.lastFailure(), "Tones: there is no current curve");
}

TEST_F(AnalysisPanelTest, UnevenSamplingIsNamedBeforeEveryOperation)
{
    Signal s = sine(1000);
    for (std::size_t i = 0; i < s.x.size(); ++i)
        s.x[i] += (i % 2 == 0 ? 1e-5 : -1e-5);
    add(s);
    click("samplingPB");
    EXPECT_TRUE(logged("Kurvo: uneven sampling in f(y): rate "));
    EXPECT_GT(server.analysisTool().sampling().jitter, 1e-3);
    EXPECT_FALSE(table()->isHidden());

    LogCollector::lines().clear();
    child<QSpinBox>("psdLengthSB")->setValue(128);
    click("psdPB");
    EXPECT_TRUE(logged("Kurvo: uneven sampling in f(y): rate "));
}

// Neither curve changes, nor is an undo step left, when one of them cannot be transformed.
TEST_F(AnalysisPanelTest, RefusedBeforeAnythingChanges)
{
    const Signal good = sine(1000);
    Signal gap = sine(1000);
    gap.y[500] = std::numeric_limits<double>::quiet_NaN();
    add(good);
    add(gap);
    child<QSpinBox>("psdLengthSB")->setValue(256);
    click("psdPB");
    EXPECT_TRUE(logged("Kurvo: PSD refused: f(y) has 1 missing values"));
    EXPECT_EQ(values(0, true), good.y);
    EXPECT_EQ(server.undoFiles().counter(), 0);

    server.deletePlot(1);
    child<QSpinBox>("psdLengthSB")->setValue(1001);
    click("psdPB");
    EXPECT_EQ(server.analysisTool().lastFailure(), "PSD refused: f(y) has 1000 points; it needs at least 1001");
    EXPECT_EQ(values(0, true), good.y);
}

// An audio file's rate holds whatever the calibration field says, and comes back with Undo.
TEST_F(AnalysisPanelTest, AudioRateWinsOverTheCalibration)
{
    QTemporaryDir dir;
    const Signal tone = sine(4800, 48000.0, 1000.0);
    std::size_t clipped = 0;
    QString error;
    const QString wav = dir.filePath("tone.wav");
    ASSERT_TRUE(writeWav(wav, tone.y.data(), tone.y.size(), 48000.0, clipped, error)) << error.toStdString();
    server.loadDataFile(-1, wav, "tone", false);
    server.setHorCalibration(1000.0);
    ASSERT_EQ(server.record(0)->sampleRate, 48000.0);

    child<QSpinBox>("tonesCountSB")->setValue(1);
    click("tonesPB");
    ASSERT_EQ(server.analysisTool().tones().size(), 1u);
    EXPECT_NEAR(server.analysisTool().tones()[0].frequency, 1000.0, 1e-3);

    click("amplitudePB");
    EXPECT_EQ(server.record(0)->sampleRate, 0.0);
    click("undoTB");
    EXPECT_EQ(server.record(0)->sampleRate, 48000.0);
}

} // namespace
