#include "LogCollector.h"
#include "PlotServer.h"
#include "PlotServerFixture.h"
#include "WavWriter.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QTemporaryDir>

#include <qwt_plot_curve.h>

#include <cmath>
#include <vector>

namespace {

class CurveExporterTest : public PlotServerFixture<>
{
protected:
    CurveExporterTest()
    {
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
    }

    void add(const std::vector<double>& y)
    {
        std::vector<double> x(y.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = double(i);
        server.createPlot(-1, "f(y)", unsigned(y.size()), x.data(), y.data(), false, 0);
    }

    QByteArray contents(const QString& name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

// The Left Data dialog writes by the suffix chosen, in any case; other suffixes write nothing.
TEST_F(CurveExporterTest, ExportDialogsWriteBySuffix)
{
    add({0.5, 2});
    prompt->answers = {dir.filePath("data.DIF"), dir.filePath("data.Txt"), dir.filePath("data.csv"), QString()};
    server.exportYdata();
    server.exportYdata();
    server.exportYdata();
    server.exportXdata();

    ASSERT_EQ(prompt->count("saveFileNameWithFilter"), 4);
    EXPECT_EQ(prompt->calls[0].title, "Save File");
    EXPECT_EQ(prompt->calls[0].dir, ".");
    EXPECT_EQ(prompt->calls[0].choices, QStringList({"Excel (*.dif)", " Text (*.txt)"}));
    EXPECT_EQ(prompt->calls[4].dir, "./libs/data/KURVO/");
    EXPECT_TRUE(contents("data.DIF").startsWith("TABLE\r\n0,1\r\n"));
    EXPECT_TRUE(contents("data.DIF").contains("\r\n\"f(y)\"\r\n"));
    EXPECT_EQ(contents("data.Txt"), "0.5\r\n2\r\nEOD\r\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("data.csv")));
    EXPECT_EQ(LogCollector::lines().back(), "Kurvo: Not a .dif, .txt or .xls name: " + dir.filePath("data.csv"));
}

// A name typed without a suffix takes the chosen filter's; a failure names the file and why.
TEST_F(CurveExporterTest, ExportsTakeTheFilterSuffixAndSayWhyTheyFail)
{
    add({0.5, 2});
    const struct {
        void (PlotServer::*exportIt)();
        const char* filter;
        const char* typed;
        const char* written;
        const char* reason;
    } rows[] = {
        {&PlotServer::exportYdata, " Text (*.txt)", "left", "left.txt", nullptr},
        {&PlotServer::exportXdata, "", "bottom", "bottom.dif", nullptr},
        {&PlotServer::exportExcel, "", "sheet", "sheet.xls", nullptr},
        {&PlotServer::exportWav, "", "sound", "sound.wav", nullptr},
        {&PlotServer::exportYdata, "", "none/left", "none/left.dif", "No such file or directory"},
        {&PlotServer::exportExcel, "", "none/sheet", "none/sheet.xls", "No such file or directory"},
        {&PlotServer::exportWav, "", "none/sound", "none/sound.wav", "No such file or directory"},
    };
    for (const auto& row : rows) {
        prompt->chosenSaveFilter = QLatin1String(row.filter);
        const QString written = dir.filePath(row.written);
        prompt->answers = {dir.filePath(row.typed)};
        (server.*row.exportIt)();
        if (!row.reason) {
            EXPECT_TRUE(QFile::exists(written)) << row.written;
            EXPECT_NE(prompt->calls.back().kind, "warning") << row.written;
            continue;
        }
        ASSERT_EQ(prompt->calls.back().kind, "warning") << row.written;
        EXPECT_EQ(prompt->calls.back().title, "SAVE ERROR");
        EXPECT_EQ(prompt->calls.back().label, written + ": " + row.reason);
    }
}

TEST_F(CurveExporterTest, ExcelAndWavDialogs)
{
    add({1, 2, 3});
    prompt->answers = {dir.filePath("curve.xls"), dir.filePath("curve.wav")};
    server.exportExcel();
    server.exportWav();
    EXPECT_EQ(prompt->calls[0].choices, QStringList{"Excel (*.xls)"});
    EXPECT_EQ(prompt->calls[0].dir, "./libs/data/KURVO/");
    EXPECT_EQ(prompt->calls[1].choices, QStringList{"Wave (*.wav)"});
    EXPECT_EQ(prompt->calls[1].dir, "./");
    EXPECT_TRUE(contents("curve.xls").startsWith("\xD0\xCF\x11\xE0"));
    EXPECT_TRUE(contents("curve.wav").startsWith("RIFF"));
    // Three samples of 2 and 3 beyond full scale are clipped and counted.
    EXPECT_EQ(LogCollector::lines().back(), "Kurvo: 2 samples beyond full scale were clipped");
}

// A three-curve table with one short curve, every digit kept; without curve 0 the lowest
// identifier sets the rows.
TEST_F(CurveExporterTest, TableOfAllCurves)
{
    add({1234567, 2});
    add({1e-9});
    add({5, 6});
    EXPECT_TRUE(server.writeTable(dir.filePath("all.csv")));
    EXPECT_EQ(contents("all.csv"), "0,1234567,1e-09,5\n1,2,,6\n");
    server.deletePlot(0);
    EXPECT_TRUE(server.writeTable(dir.filePath("all.csv")));
    EXPECT_EQ(contents("all.csv"), "0,1e-09,5\n");
    EXPECT_FALSE(server.writeTable(dir.filePath("none/all.csv")));
    EXPECT_EQ(LogCollector::lines().back(),
              "Kurvo: Can't write file " + dir.filePath("none/all.csv") + ": No such file or directory");
    // A full disk shows only once the buffers are written out.
    if (QFile::exists("/dev/full")) {
        EXPECT_FALSE(server.writeTable("/dev/full"));
        EXPECT_EQ(LogCollector::lines().back(), "Kurvo: Can't write file /dev/full: No space left on device");
    }
}

// The table holds numbers only: a curve name that a spreadsheet would run as a formula never
// reaches it.
TEST_F(CurveExporterTest, TableHoldsNoCurveNames)
{
    const double x[] = {0, 1};
    const double y[] = {5, 6};
    for (const char* name : {"=HYPERLINK(\"http://example.invalid\")", "+1+1", "-1-1", "@SUM(A1)"})
        server.createPlot(-1, name, 2, x, y, false, 0);
    EXPECT_TRUE(server.writeTable(dir.filePath("all.csv")));
    EXPECT_EQ(contents("all.csv"), "0,5,5,5,5\n1,6,6,6,6\n");
}

// The rate of a loaded 48 kHz file is the transform's and the export's sampling frequency.
TEST_F(CurveExporterTest, AudioRateSurvivesToTheSpectrumAndTheExport)
{
    const std::size_t n = 4800;
    std::vector<double> tone(n);
    for (std::size_t i = 0; i < n; ++i)
        tone[i] = 0.5 * std::sin(2 * M_PI * 1000.0 * double(i) / 48000.0);
    std::size_t clipped = 0;
    QString error;
    ASSERT_TRUE(writeWav(dir.filePath("tone.wav"), tone.data(), n, 48000, clipped, error)) << error.toStdString();

    server.addCurve(-1, dir.filePath("tone.wav"), "tone", false);
    ASSERT_NE(server.record(0), nullptr);
    EXPECT_EQ(server.horCalibration(), 48000);
    EXPECT_TRUE(LogCollector::lines().contains("Kurvo: # Channels 1, Sample rate 48000"));

    EXPECT_TRUE(server.writeWav(dir.filePath("again.wav"), 0));
    server.addCurve(-1, dir.filePath("again.wav"), "again", false);
    EXPECT_EQ(LogCollector::lines().filter("Sample rate 48000").size(), 2);

    server.applyDFT();
    const QwtPlotCurve* spectrum = server.record(0)->curve;
    std::size_t peak = 0;
    for (std::size_t k = 1; k < n / 2; ++k) {
        if (spectrum->sample(int(k)).y() > spectrum->sample(int(peak)).y())
            peak = k;
    }
    EXPECT_EQ(spectrum->sample(int(peak)).x(), 1000.0);
    EXPECT_NEAR(spectrum->sample(int(peak)).y(), 0.25, 1e-6);
}

// A rate belongs to its curve: an erased audio curve leaves nothing of its rate to the next.
TEST_F(CurveExporterTest, AudioRateEndsWithItsCurve)
{
    const std::vector<double> samples(8, 0.25);
    std::size_t clipped = 0;
    QString error;
    ASSERT_TRUE(writeWav(dir.filePath("chord.wav"), samples.data(), samples.size(), 8000, clipped, error));
    server.setHorCalibration(1000.0);
    server.addCurve(-1, dir.filePath("chord.wav"), "chord", false);
    auto* field = server.findChild<QDoubleSpinBox*>("horCalibrationSB");
    EXPECT_EQ(field->value(), 8000.0);
    server.erase();
    EXPECT_EQ(field->value(), 1000.0);

    add({1, 0, 1, 0});
    server.selectCurve(0);
    EXPECT_TRUE(server.writeWav(dir.filePath("script.wav"), 0));
    server.applyDFT();
    EXPECT_EQ(server.record(0)->curve->sample(3).x(), 750.0);
    LogCollector::lines().clear();
    server.addCurve(-1, dir.filePath("script.wav"), "script", false);
    EXPECT_TRUE(LogCollector::lines().contains("Kurvo: # Channels 1, Sample rate 1000"));
}

} // namespace
