#include "AvailableMemory.h"
#include "CurveStore.h"
#include "LogCollector.h"
#include "PlotServerFixture.h"
#include "SpectralWindow.h"
#include "Spectrogram.h"
#include "spectrogram/SpectrogramPlot.h"
#include "spectrogram/SpectrogramSource.h"
#include "spectrogram/SpectrogramWindow.h"
#include "spectrogram/SpectrogramZoomer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <qwt_color_map.h>
#include <qwt_scale_widget.h>

#include <cmath>
#include <vector>

namespace {

const double kFs = 8192;
const std::size_t kCount = 16384;

// A chirp from 200 Hz to 3 kHz over two seconds; x in seconds, in steps a double holds exactly.
struct Chirp {
    std::vector<double> x;
    std::vector<double> y;

    Chirp()
        : x(kCount)
        , y(kCount)
    {
        for (std::size_t n = 0; n < kCount; ++n) {
            const double t = double(n) / kFs;
            x[n] = t;
            y[n] = std::sin(2 * M_PI * (200 * t + 700 * t * t));
        }
    }
};

class SpectrogramWindowTest : public PlotServerFixture<>
{
protected:
    SpectrogramWindowTest()
    {
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
        prompt->onWindow = [this](QWidget* shown) { window = dynamic_cast<SpectrogramWindow*>(shown); };
    }

    void addChirp()
    {
        server.createPlot(-1, "chirp", unsigned(kCount), chirp.x.data(), chirp.y.data(), false, 0);
        server.findChild<QSpinBox*>(QStringLiteral("psdLengthSB"))->setValue(256);
    }

    void open() { QTest::mouseClick(server.findChild<QPushButton*>(QStringLiteral("spectrogramPB")), Qt::LeftButton); }

    template <typename T>
    T* control(const char* name) const
    {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString tracker(double t, double f) const
    {
        return window->findChild<SpectrogramZoomer*>()->trackerTextF(QPointF(t, f)).text();
    }

    QRgb barColour(double level) const
    {
        const QwtScaleWidget* bar = window->plot().axisWidget(QwtPlot::yRight);
        return bar->colorMap()->rgb(bar->colorBarInterval(), level) & 0xffffffu;
    }

    Spectrogram reference(std::size_t length) const
    {
        return Spectrogram(chirp.y.data(), kCount, kFs, length, 50, std::size_t(spectralWindowIndex("Hann")));
    }

    Chirp chirp;
    SpectrogramWindow* window = nullptr;
};

// The colour bar spans 100 dB below the loudest level rounded up to 10 dB, in viridis from
// its darkest to its lightest colour.
TEST_F(SpectrogramWindowTest, OpensWithTheTabsSettingsAndAColourBar)
{
    addChirp();
    open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(prompt->calls.back().kind, "window");
    EXPECT_EQ(window->windowTitle(), "Spectrogram of chirp");
    EXPECT_EQ(control<QSpinBox>("spectrogramLengthSB")->value(), 256);
    EXPECT_EQ(control<QComboBox>("spectrogramWindowCB")->currentText(), "Hann");
    EXPECT_EQ(window->status(), "127 segments of 256 points, 32 Hz apart; sampling frequency 8192 Hz (x steps)");

    const Spectrogram expected = reference(256);
    double loudest = -INFINITY;
    for (std::size_t i = 0; i < expected.segments(); ++i)
        for (std::size_t k = 0; k < expected.bins(); ++k)
            loudest = std::max(loudest, expected.level(i, k));
    const double top = 10 * std::ceil(loudest / 10);
    const QwtScaleWidget* bar = window->plot().axisWidget(QwtPlot::yRight);
    EXPECT_TRUE(bar->isColorBarEnabled());
    EXPECT_EQ(bar->colorBarInterval().minValue(), top - 100);
    EXPECT_EQ(bar->colorBarInterval().maxValue(), top);
    EXPECT_EQ(barColour(top), 0xfde725u);
    EXPECT_EQ(barColour(top - 100), 0x440154u);
    EXPECT_EQ(barColour(-INFINITY), 0x440154u);

    control<QComboBox>("spectrogramColorsCB")->setCurrentIndex(1);
    EXPECT_EQ(barColour(top), 0xffffffu);
    control<QDoubleSpinBox>("spectrogramTopSB")->setValue(0);
    control<QDoubleSpinBox>("spectrogramRangeSB")->setValue(60);
    EXPECT_EQ(bar->colorBarInterval().minValue(), -60);
    EXPECT_EQ(bar->colorBarInterval().maxValue(), 0);
    EXPECT_EQ(window->plot().axisScaleDiv(QwtPlot::yRight).upperBound(), 0);
}

// The tracker names the cell's time and frequency as the pointer gives them and the cell's
// own level; after a new segment length it reads the new matrix.
TEST_F(SpectrogramWindowTest, TrackerAndRecomputation)
{
    addChirp();
    open();
    ASSERT_NE(window, nullptr);
    const Spectrogram short256 = reference(256);
    EXPECT_EQ(tracker(0.015625, 1024), QStringLiteral("0.015625 s, 1024 Hz, %1 dB")
                                           .arg(QString::number(short256.level(0, 32), 'f', 1)));
    EXPECT_EQ(tracker(2.5, 1024), "2.5 s, 1024 Hz");

    control<QSpinBox>("spectrogramLengthSB")->setValue(1024);
    const Spectrogram long1024 = reference(1024);
    EXPECT_TRUE(window->status().startsWith("31 segments of 1024 points, 8 Hz apart"));
    EXPECT_EQ(tracker(1.0, 1000), QStringLiteral("1 s, 1000 Hz, %1 dB")
                                      .arg(QString::number(long1024.level(15, 125), 'f', 1)));
    // Each segment's cell is a step wide around its centre.
    EXPECT_EQ(window->plot().axisScaleDiv(QwtPlot::xBottom).lowerBound(), 256 / kFs);
    EXPECT_EQ(window->plot().axisScaleDiv(QwtPlot::xBottom).upperBound(), (31 * 512 + 256) / kFs);

    // Refused, the picture stays and the reason shows.
    control<QSpinBox>("spectrogramLengthSB")->setValue(20000);
    EXPECT_EQ(window->status(), "Spectrogram refused for chirp: The segment length must be between 2 and the "
                                "number of points (16384).");
    EXPECT_EQ(tracker(1.0, 1000), QStringLiteral("1 s, 1000 Hz, %1 dB")
                                      .arg(QString::number(long1024.level(15, 125), 'f', 1)));
}

// The logarithmic axis starts at the lower edge of bin 1: 0 Hz has no place on it.
TEST_F(SpectrogramWindowTest, LogarithmicFrequency)
{
    addChirp();
    open();
    ASSERT_NE(window, nullptr);
    control<QCheckBox>("spectrogramLogCB")->setChecked(true);
    EXPECT_EQ(window->plot().axisScaleDiv(QwtPlot::yLeft).lowerBound(), 16.0);
    EXPECT_EQ(window->plot().axisScaleDiv(QwtPlot::yLeft).upperBound(), kFs / 2);
    control<QCheckBox>("spectrogramLogCB")->setChecked(false);
    EXPECT_EQ(window->plot().axisScaleDiv(QwtPlot::yLeft).lowerBound(), 0.0);
}

TEST_F(SpectrogramWindowTest, DatesOnTheTimeAxis)
{
    for (double& x : chirp.x)
        x += 1700000000.0;
    addChirp();
    server.curveStore().find(server.currentCurve())->xIsTime = true;
    open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(tracker(1700000001.0, 1024).left(30), "2023-11-14 22:13:21.000, 1024 ");
}

TEST_F(SpectrogramWindowTest, NothingToShowIsALogLine)
{
    open();
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(prompt->count("window"), 0);
    EXPECT_TRUE(LogCollector::lines().contains("Kurvo: Spectrogram: there is no current curve"));

    chirp.y[100] = NAN;
    addChirp();
    open();
    EXPECT_EQ(window, nullptr);
    EXPECT_TRUE(LogCollector::lines().contains("Kurvo: Spectrogram refused: chirp has 1 missing values"));
}

// The matrix is weighed before it is made: 127 segments of 129 bins are 65,532 bytes.
TEST_F(SpectrogramWindowTest, AMatrixBeyondTheMemoryIsRefused)
{
    struct Memory : AvailableMemory {
        quint64 bytes() const override { return limit; }
        quint64 limit = 0;
    } memory;
    addChirp();
    SpectrogramSource source;
    ASSERT_TRUE(source.readCurrent(server.curveStore(), server.axesController()));
    memory.limit = 65531;
    EXPECT_EQ(source.compute({256, 50, 3}, memory), nullptr);
    EXPECT_EQ(source.failure(), "Not enough memory for the spectrogram of chirp: it needs 0.1 MB, 0.1 MB are available");
    memory.limit = 65532;
    ASSERT_NE(source.compute({256, 50, 3}, memory), nullptr);
    EXPECT_TRUE(source.failure().isEmpty());
}

} // namespace
