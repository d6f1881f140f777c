#include "LogCollector.h"
#include "PlotServerFixture.h"
#include "UndoStore.h"

#include <QDoubleSpinBox>

#include <qwt_plot_curve.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace {

class SpectrumToolTest : public PlotServerFixture<>
{
protected:
    SpectrumToolTest()
    {
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
    }

    // A curve over x = 0 … n−1.
    void add(int id, const std::vector<double>& y)
    {
        std::vector<double> x(y.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = double(i);
        server.createPlot(id, "f(y)", unsigned(y.size()), x.data(), y.data(), false, 0);
    }

    std::vector<double> ys(int id) const
    {
        std::vector<double> v;
        const QwtPlotCurve* c = server.record(id)->curve;
        for (size_t i = 0; i < c->dataSize(); ++i)
            v.push_back(c->sample(int(i)).y());
        return v;
    }

    std::vector<double> xs(int id) const
    {
        std::vector<double> v;
        const QwtPlotCurve* c = server.record(id)->curve;
        for (size_t i = 0; i < c->dataSize(); ++i)
            v.push_back(c->sample(int(i)).x());
        return v;
    }

    static std::vector<double> naiveMagnitudes(const std::vector<double>& y)
    {
        const std::size_t n = y.size();
        std::vector<double> m(n);
        for (std::size_t k = 0; k < n; ++k) {
            std::complex<long double> sum = 0;
            for (std::size_t j = 0; j < n; ++j)
                sum += (long double)y[j] * std::polar(1.0L, -2.0L * 3.14159265358979323846264338L * (long double)((k * j) % n) / n);
            m[k] = double(std::abs(sum) / n);
        }
        return m;
    }

    static std::vector<double> ramp(std::size_t n)
    {
        std::vector<double> y(n);
        for (std::size_t i = 0; i < n; ++i)
            y[i] = std::sin(0.37 * double(i)) + 0.25 * double(i % 7);
        return y;
    }
};

void expectNear(const std::vector<double>& a, const std::vector<double>& b, double tolerance)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], tolerance) << i;
}

TEST_F(SpectrumToolTest, PowersOfTwoShowProgressOtherShortLengthsDoNot)
{
    const std::vector<double> y1024 = ramp(1024);
    const std::vector<double> y1000 = ramp(1000);
    add(-1, y1024);
    add(-1, y1000);
    server.applyDFT();

    ASSERT_EQ(prompt->progressDialogs.size(), 1u);
    const auto& dialog = prompt->progressDialogs.front();
    EXPECT_EQ(dialog.label, "Fast Fourier Transform ...");
    EXPECT_EQ(dialog.cancelText, "Cancel");
    EXPECT_EQ(dialog.minimum, 0);
    EXPECT_EQ(dialog.maximum, 10);
    EXPECT_EQ(dialog.values, (std::vector<int>{0, 8, 10}));
    EXPECT_TRUE(dialog.closed);
    expectNear(ys(0), naiveMagnitudes(y1024), 1e-12);
    expectNear(ys(1), naiveMagnitudes(y1000), 1e-12);
    EXPECT_EQ(server.record(1)->samples, 1000u);
    const std::vector<double> spectrum = ys(1);
    EXPECT_EQ(server.record(1)->maximum, *std::max_element(spectrum.begin(), spectrum.end()));
}

TEST_F(SpectrumToolTest, TinyCurvesAndGaps)
{
    add(0, {1, 3});
    add(2, {1, 2, 4});
    add(4, {1, 0, -1, 0});
    add(6, {7});
    add(7, std::vector<double>(8, 1.0));
    server.applyDFT();

    expectNear(ys(0), {2, 1}, 1e-15);
    const double side = std::sqrt(7.0) / 3.0;
    expectNear(ys(2), {7.0 / 3, side, side}, 1e-15);
    expectNear(ys(4), {0, 0.5, 0, 0.5}, 1e-15);
    EXPECT_EQ(ys(6), std::vector<double>{7});
    expectNear(ys(7), {1, 0, 0, 0, 0, 0, 0, 0}, 1e-15);
    // Only 4 and 8 points take the radix-2 path with its dialog: 2 and 3 stages.
    ASSERT_EQ(prompt->progressDialogs.size(), 2u);
    EXPECT_EQ(prompt->progressDialogs[0].maximum, 2);
    EXPECT_EQ(prompt->progressDialogs[1].maximum, 3);
    EXPECT_EQ(server.record(1), nullptr);
}

// Bin k of N points lies at k·fs/N: a 1 kHz tone sampled at 48 kHz peaks at x = 1000.
TEST_F(SpectrumToolTest, FrequencyAxis)
{
    server.setHorCalibration(48000);
    const std::size_t n = 4800;
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = std::sin(2 * M_PI * 1000.0 * double(i) / 48000.0);
    add(-1, y);
    server.applyDFT();
    const std::vector<double> x = xs(0);
    const std::vector<double> m = ys(0);
    const auto peak = std::max_element(m.begin(), m.begin() + long(n / 2)) - m.begin();
    EXPECT_EQ(x[std::size_t(peak)], 1000.0);
    EXPECT_NEAR(m[std::size_t(peak)], 0.5, 1e-12);
    EXPECT_EQ(x[1], 10.0);
    EXPECT_EQ(x.back(), 4799 * 10.0);
}

// Cancel during the second curve: the first one, already transformed, is put back too, and
// the snapshot is taken back.
TEST_F(SpectrumToolTest, CancelLeavesEveryCurveAsItWas)
{
    const std::vector<double> a = ramp(1024);
    const std::vector<double> b = ramp(2048);
    add(-1, a);
    add(-1, b);
    const double sumBefore = server.record(0)->amount;
    for (int check : {1, 5, 10 + 3}) {
        prompt->cancelAtCheck = check;
        prompt->cancelChecks = 0;
        server.applyDFT();
        EXPECT_EQ(ys(0), a) << check;
        EXPECT_EQ(ys(1), b) << check;
        EXPECT_EQ(xs(1).back(), 2047.0) << check;
        EXPECT_EQ(server.record(0)->amount, sumBefore) << check;
        EXPECT_EQ(server.undoFiles().counter(), 0) << check;
    }
    EXPECT_TRUE(prompt->progressDialogs.back().closed);
    EXPECT_EQ(server.undo(), 0);
}

TEST_F(SpectrumToolTest, AbsoluteValueAndDecibels)
{
    add(-1, {-3, -1, 0, 5});
    add(-1, {2, 3, 5});
    server.applyAbs();
    EXPECT_EQ(ys(0), (std::vector<double>{0, 2, 3, 8}));
    EXPECT_EQ(ys(1), (std::vector<double>{4, 5, 7}));
    EXPECT_EQ(server.record(1)->minimum, 4);

    add(-1, {-1, 0, 9});
    server.applyDB();
    expectNear(ys(2), {0, 6.0206, 20.8279}, 1e-4);
}

// Every gap is named, and nothing changes: no curve, no snapshot.
TEST_F(SpectrumToolTest, TransformOfCurvesWithGapsIsRefused)
{
    const double nan = std::nan("");
    const std::vector<double> whole = ramp(8);
    add(-1, whole);
    const double x[] = {0, 1, 2, 3};
    const double gappy[] = {1, nan, 3, nan};
    server.createPlot(-1, "gappy", 4, x, gappy, false, 0);
    const double onlyGap[] = {nan};
    server.createPlot(-1, "lone", 1, x, onlyGap, false, 0);
    server.applyDFT();

    EXPECT_EQ(LogCollector::lines(), (QStringList{"Kurvo: FFT refused: gappy has 2 missing values",
                                                  "Kurvo: FFT refused: lone has 1 missing values"}));
    EXPECT_EQ(ys(0), whole);
    EXPECT_EQ(ys(1)[2], 3.0);
    EXPECT_TRUE(std::isnan(ys(1)[3]));
    EXPECT_EQ(xs(1).back(), 3.0);
    EXPECT_EQ(server.undoFiles().counter(), 0);
    EXPECT_TRUE(prompt->progressDialogs.empty());
}

// The shift is by the smallest value that is there; gaps stay gaps through Abs, dB and windows.
TEST_F(SpectrumToolTest, LevelsAndWindowsKeepGaps)
{
    const double nan = std::nan("");
    add(-1, {nan, -3, -1, nan, 5});
    server.applyAbs();
    const std::vector<double> lifted = ys(0);
    EXPECT_TRUE(std::isnan(lifted[0]) && std::isnan(lifted[3]));
    EXPECT_EQ(lifted[1], 0.0);
    EXPECT_EQ(lifted[4], 8.0);
    EXPECT_EQ(server.record(0)->gaps, 2u);

    server.applyDB();
    server.windowFunction(3);
    const std::vector<double> shown = ys(0);
    EXPECT_TRUE(std::isnan(shown[0]) && std::isnan(shown[3]));
    EXPECT_EQ(shown[1], 0.0);
    EXPECT_EQ(shown[4], 0.0);
    EXPECT_NEAR(shown[2], 20 * std::log10(3.0), 1e-12);
    EXPECT_EQ(server.record(0)->samples, 3u);
}

// A flat top goes negative; dB still uses the curve's minimum as it is now.
TEST_F(SpectrumToolTest, WindowsRefreshStatisticsAndApplyEachTime)
{
    add(-1, {1, 1, 1, 1, 1});
    server.windowFunction(3);
    expectNear(ys(0), {0, 0.5, 1, 0.5, 0}, 1e-15);
    EXPECT_NEAR(server.record(0)->amount, 2, 1e-15);
    server.windowFunction(3);
    expectNear(ys(0), {0, 0.25, 1, 0.25, 0}, 1e-15);
    server.windowFunction(11);
    server.windowFunction(-1);
    EXPECT_EQ(server.undoFiles().counter(), 2);

    add(-1, std::vector<double>(64, 1.0));
    server.windowFunction(9);
    EXPECT_LT(server.record(1)->minimum, 0);
    server.applyDB();
    for (double v : ys(1))
        EXPECT_TRUE(std::isfinite(v)) << v;
}

} // namespace
