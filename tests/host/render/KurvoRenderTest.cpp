#include "KurvoRenderFixture.h"
#include "KurvoVersion.h"
#include "ScriptRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class KurvoRenderTest : public KurvoRenderFixture
{
protected:
    // Standard output goes to `standardOutput` when one is named.
    Outcome render(const QStringList& arguments, const QString& standardOutput = QString())
    {
        return render(arguments, quietEnvironment(), standardOutput);
    }

    // Standard input holds `input` and ends there.
    Outcome render(const QStringList& arguments, const QProcessEnvironment& environment,
                   const QString& standardOutput = QString(), const QByteArray& input = QByteArray())
    {
        return run(QStringLiteral(KURVO_RENDER), arguments, environment, standardOutput, input);
    }

    QProcessEnvironment quietEnvironment() const
    {
        QProcessEnvironment environment = KurvoRenderFixture::environment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        return environment;
    }
};

QString shortest(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

const QByteArray kParabola = "iterate 7\nstep 0.1\nexpr = x^2 - 3*x\ntitle \"Parabola\"\n";

TEST_F(KurvoRenderTest, DumpHoldsExactlyTheScriptsPoints)
{
    const QString script = write("parabola.ms", kParabola);
    const Outcome run = render({script, "--dump", "-"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();

    const ScriptResult expected = runScript(QString::fromUtf8(kParabola));
    ASSERT_TRUE(expected.ok);
    QStringList lines{"id,name,x,y"};
    for (quint32 i = 0; i < expected.settings.count; ++i)
        lines << QStringLiteral("0,f(y),%1,%2").arg(shortest(expected.x.at(i)), shortest(expected.y()[i]));
    EXPECT_EQ(run.out, lines.join('\n') + '\n');
}

TEST_F(KurvoRenderTest, ScriptNamesItsCurve)
{
    const QString script = write("named.ms", "iterate 2\nexpr = x\nname \"Ramp\"\n");
    const Outcome run = render({script, "--dump", "-"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "id,name,x,y\n0,Ramp,0,0\n0,Ramp,1,1\n");
}

TEST_F(KurvoRenderTest, StatisticsOfAKnownCurveInTheTablesOrder)
{
    const QString data = write("ramp.csv", "0;1\n1;2\n2;3\n3;4\n");
    const Outcome run = render({data, "--stats"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Minimum 1\nMaximum 4\nAmount 10\nEnergy 30\nPower 7.5\nSamples 4\n"
                       "Mean 2.5\nSigma 1.11803\nGaps 0\nNorm 5.47723\nRMS 2.73861\n");
}

// A script's NaN (0/0 at x = 1) is a missing value: counted, left out of the other figures,
// and the transform that it would spread over every bin is refused.
TEST_F(KurvoRenderTest, StatisticsLeaveGapsOut)
{
    const QString script = write("gap.ms", "iterate 5\nstep 1\nexpr = x + 0/(x-1)\n");
    // The spectrum asked for after the figures is refused: the command fails.
    const Outcome run = render({"--log", script, "--stats", "--fft"});
    ASSERT_EQ(run.status, 2) << run.err.toStdString();
    EXPECT_EQ(run.out, "Minimum 0\nMaximum 4\nAmount 9\nEnergy 29\nPower 7.25\nSamples 4\n"
                       "Mean 2.25\nSigma 1.47902\nGaps 1\nNorm 5.38516\nRMS 2.69258\n");
    EXPECT_TRUE(run.err.contains("Kurvo: FFT refused: f(y) has 1 missing values\n")) << run.err.toStdString();
}

TEST_F(KurvoRenderTest, OperationsRunInCommandLineOrder)
{
    const QString data = write("ramp.csv", "0;1\n1;2\n2;3\n3;4\n");
    const QString script = write("parabola.ms", kParabola);
    const Outcome run = render({data, script, "--select", "0", "--calibrate", "1000", "--stats",
                                "--dump", "points.csv"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Minimum 1\nMaximum 4\n"));
    QFile dump(path("points.csv"));
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(dump.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 4 + 7);
    EXPECT_EQ(lines[1], "0,ramp.0,0,1");
    EXPECT_EQ(lines[4], "0,ramp.0,750,4");
    EXPECT_EQ(lines[5], "1,f(y),0,0");
}

TEST_F(KurvoRenderTest, FitFftCutsDataFilesToAPowerOfTwo)
{
    const QString data = write("five.csv", "0;1\n1;2\n2;3\n3;4\n4;5\n");
    const Outcome whole = render({data, "--dump", "-"});
    const Outcome cut = render({"--fit-fft", data, "--dump", "-"});
    ASSERT_EQ(cut.status, 0) << cut.err.toStdString();
    EXPECT_EQ(whole.out.count('\n'), 1 + 5);
    EXPECT_EQ(cut.out.count('\n'), 1 + 4);
}

TEST_F(KurvoRenderTest, FailingScriptExitsWithItsParserError)
{
    const QString script = write("broken.ms", "iterate 3\nexpr = sin(x\n");
    const Outcome run = render({script, "-o", "never.png"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("PARSER ERROR")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("never.png")));
}

TEST_F(KurvoRenderTest, PicturesHaveTheStatedSize)
{
    const QString script = write("parabola.ms", kParabola);
    const Outcome run = render({script, "--size", "640x480", "--title", "Measured", "-o", "plot.png",
                                "-o", "plot.svg", "-o", "plot.pdf", "-o", "plot.jpg"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(path("plot.png")).size(), QSize(640, 480));
    EXPECT_EQ(QImage(path("plot.jpg")).size(), QSize(640, 480));
    QSvgRenderer svg(path("plot.svg"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 640, 480));
    QFile svgFile(path("plot.svg"));
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const QByteArray svgText = svgFile.readAll();
    // 640 pixels at 96 dots per inch.
    EXPECT_TRUE(svgText.contains("width=\"169.333mm\" height=\"127mm\"")) << svgText.left(200).constData();
    EXPECT_TRUE(svgText.contains("Measured"));
    QFile pdf(path("plot.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
}

TEST_F(KurvoRenderTest, BadUsageAndUnreadableInputExitWithTwo)
{
    const QString script = write("parabola.ms", kParabola);
    const QString empty = write("empty.txt", "");
    const QList<QStringList> cases{
        {},
        {script, "--bogus"},
        {script, "--range", "1,2,3"},
        {script, "--size", "0x10"},
        {script, "--title"},
        {path("missing.csv")},
        {empty},
        {script, "--select", "9"},
        {script, "-o", "plot.unknown"},
    };
    for (const QStringList& arguments : cases) {
        const Outcome run = render(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("kurvo-render: ")) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}

TEST_F(KurvoRenderTest, HelpAndLog)
{
    const Outcome help = render({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: kurvo-render [OPTIONS] INPUT..."));
    // The formats are the Open dialog's own.
    EXPECT_TRUE(help.out.contains("\n  Array data format (*.adf)\n"));
    EXPECT_TRUE(help.out.contains("\n  Waveform audio file format (*.wav)\n"));
    EXPECT_TRUE(help.out.contains("\n  FLAC (Free Lossless Audio Codec) (*.flac)\n"));

    const QString data = write("ramp.csv", "0;1\n1;2\n");
    const Outcome run = render({"--log", data});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains("Kurvo: Field separator [;]")) << run.err.toStdString();
}

TEST_F(KurvoRenderTest, VersionIsTheProjectsAndNeedsNoInput)
{
    const Outcome run = render({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "kurvo-render " KURVO_VERSION "\n");
    EXPECT_TRUE(QRegularExpression("^kurvo-render \\d+(\\.\\d+)+\n$").match(run.out).hasMatch())
        << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

// The y values of curve `id` in a dump.
std::vector<double> dumpedY(const QString& dump, int id = 0)
{
    std::vector<double> y;
    for (const QString& line : dump.split('\n', Qt::SkipEmptyParts).mid(1)) {
        const QStringList fields = line.split(',');
        if (fields.size() == 4 && fields[0].toInt() == id)
            y.push_back(fields[3].toDouble());
    }
    return y;
}

void expectValues(const std::vector<double>& actual, const std::vector<double>& expected, double tolerance)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << i;
}

TEST_F(KurvoRenderTest, WindowsByNameOrNumber)
{
    const QString ones = write("ones.csv", "0;1\n1;1\n2;1\n3;1\n4;1\n");
    for (const char* window : {"Hann", "hann", "3"}) {
        const Outcome run = render({ones, "--window", window, "--dump", "-"});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        expectValues(dumpedY(run.out), {0, 0.5, 1, 0.5, 0}, 1e-15);
    }
    const Outcome triangular = render({ones, "--window", "Triangular", "--dump", "-"});
    expectValues(dumpedY(triangular.out), {1.0 / 3, 2.0 / 3, 1, 2.0 / 3, 1.0 / 3}, 1e-15);
    const Outcome twoWords = render({ones, "--window", "Blackman Harris", "--stats"});
    EXPECT_EQ(twoWords.status, 0);

    for (const char* bad : {"Hanning", "11", "-1"}) {
        const Outcome run = render({ones, "--window", bad});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_TRUE(run.err.contains("--window takes one of Triangular, Welch")) << run.err.toStdString();
    }
}

TEST_F(KurvoRenderTest, FourierTransformDecibelsAndAbsoluteValue)
{
    const QString pair = write("pair.csv", "0;1\n1;3\n");
    const Outcome fft = render({pair, "--fft", "--dump", "-"});
    ASSERT_EQ(fft.status, 0) << fft.err.toStdString();
    EXPECT_EQ(fft.out, "id,name,x,y\n0,pair.0,0,2\n0,pair.0,0.5,1\n");

    const QString wave = write("wave.ms", "iterate 1024\nexpr = sin(2*pi*64*x/1024)\n");
    const Outcome big = render({wave, "--fft", "--calibrate", "1024", "--stats"});
    ASSERT_EQ(big.status, 0) << big.err.toStdString();
    EXPECT_TRUE(big.out.contains("Maximum 0.5\n")) << big.out.toStdString();

    const QString signs = write("signs.csv", "0;-3\n1;5\n2;-1\n");
    const Outcome abs = render({signs, "--abs", "--dump", "-"});
    expectValues(dumpedY(abs.out), {0, 8, 2}, 0);

    const QString levels = write("levels.csv", "0;-1\n1;0\n2;9\n");
    const Outcome db = render({levels, "--db", "--dump", "-"});
    expectValues(dumpedY(db.out), {0, 6.0206, 20.8279}, 1e-4);
}

TEST_F(KurvoRenderTest, UndoStepsBackOneOperation)
{
    const QString signs = write("signs.csv", "0;-3\n1;5\n2;-1\n");
    const Outcome run = render({signs, "--abs", "--db", "--undo", "--dump", "-"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    expectValues(dumpedY(run.out), {0, 8, 2}, 0);
    const Outcome nothing = render({signs, "--undo", "--dump", "-"});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_EQ(nothing.err, "kurvo-render: --undo: there is nothing to undo\n");
    EXPECT_TRUE(nothing.out.isEmpty());
}

// Without a folder for its snapshot the operation is done, but an undo of it cannot be, and
// the command that asked for one fails rather than draw the operation's result.
TEST_F(KurvoRenderTest, UndoWithoutSnapshotFails)
{
    const QString signs = write("signs.csv", "0;-3\n1;5\n2;-1\n");
    const QString blocked = write("blocked", "a file where the cache folder should be");
    QProcessEnvironment environment = quietEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), blocked);
    const Outcome run = render({signs, "--abs", "--undo", "--dump", "-"}, environment);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith("kurvo-render: --undo: Can't undo operation 1: its undo file could not be "
                                   "written (cannot make the folder " + blocked + "/kurvo/undo/"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());

    const Outcome applied = render({signs, "--abs", "--dump", "-"}, environment);
    EXPECT_EQ(applied.status, 0) << applied.err.toStdString();
    expectValues(dumpedY(applied.out), {0, 8, 2}, 0);
}

// The example of the README: the spectrum of two tones peaks at 50 and 120 Hz.
TEST_F(KurvoRenderTest, TwoTonesExampleShowsItsPeaks)
{
    const Outcome run = render({KURVO_EXAMPLES_DIR "/two-tones.ms", "--fft", "--calibrate", "1000", "--dump", "-"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const std::vector<double> y = dumpedY(run.out);
    ASSERT_EQ(y.size(), 1000u);
    EXPECT_NEAR(y[50], 0.5, 1e-12);
    EXPECT_NEAR(y[120], 0.25, 1e-12);
    EXPECT_NEAR(y[950], 0.5, 1e-12);
    for (std::size_t k = 0; k < 500; ++k) {
        if (k != 50 && k != 120) {
            EXPECT_LT(y[k], 1e-12) << k;
        }
    }

    const Outcome peaks = render({KURVO_EXAMPLES_DIR "/two-tones.ms", "--fft", "--calibrate", "1000", "--units", "Hz",
                                  "--peaks", "0.1,0.1"});
    EXPECT_EQ(peaks.out, "Positive\n"
                         "#000 :    50 >     50.000Hz =      0.500\n"
                         "#001 :   120 >    120.000Hz =      0.250\n"
                         "#002 :   880 >    880.000Hz =      0.250\n"
                         "#003 :   950 >    950.000Hz =      0.500\n"
                         "Negative\n");
}

TEST_F(KurvoRenderTest, PeaksAsThePanelListsThem)
{
    const QString teeth = write("teeth.csv", "0;-1\n1;2.5\n2;0\n3;5\n4;0\n");
    const Outcome plain = render({teeth, "--peaks", "1,3"});
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.out, "Positive\n#001 :     3 >      3.000 =      5.000\nNegative\n");

    const Outcome subtracted = render({teeth, "--units", "ms", "--peaks", "1,3,subtract"});
    ASSERT_EQ(subtracted.status, 0) << subtracted.err.toStdString();
    EXPECT_EQ(subtracted.out, "Positive\n"
                              "#000 :     1 >      1.000ms =      3.500\n"
                              "#001 :     3 >      3.000ms =      6.000\n"
                              "Negative\n");

    const Outcome saved = render({teeth, "--peaks", "1,0", "--peaks-tab", "negative", "--peaks-out", "low.txt"});
    ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
    QFile file(path("low.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The minimum −1 lies below the threshold 0.
    EXPECT_EQ(file.readAll(), "2, 0\r\n");

    const Outcome unwritable = render({teeth, "--peaks", "1,0", "--peaks-out", path("none/low.txt")});
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_TRUE(unwritable.err.contains("Can't write file " + path("none/low.txt")));

    for (const QStringList& bad : {QStringList{teeth, "--peaks", "1"}, QStringList{teeth, "--peaks", "-1,0"},
                                   QStringList{teeth, "--peaks", "1,0,twice"}, QStringList{teeth, "--units", "Hertz"},
                                   QStringList{teeth, "--peaks-tab", "both"}}) {
        const Outcome run = render(bad);
        EXPECT_EQ(run.status, 2) << bad.join(' ').toStdString();
    }
}

TEST_F(KurvoRenderTest, StyleAndSymbolsShowInThePicture)
{
    const QString few = write("few.csv", "0;0\n1;1\n2;0\n3;1\n");
    const Outcome dots = render({few, "--style", "sticks", "--symbol", "Diamond,12,red,#00ff00", "--size", "300x200",
                                 "-o", "symbols.png"});
    ASSERT_EQ(dots.status, 0) << dots.err.toStdString();
    QImage image(path("symbols.png"));
    ASSERT_FALSE(image.isNull());
    int green = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            green += image.pixelColor(x, y) == QColor(0, 255, 0);
    }
    // Four diamonds of 12 pixels, and the one in the legend.
    EXPECT_GT(green, 5 * 20);

    EXPECT_EQ(render({few, "--symbol", "NoSymbol", "-o", "none.png"}).status, 0);
    for (const char* bad : {"Star3", "Diamond,0", "Diamond,5,nocolour", "Diamond,5,red,blue,9"}) {
        const Outcome run = render({few, "--symbol", bad});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_TRUE(run.err.contains("--symbol takes NAME")) << run.err.toStdString();
    }
    // Qt must not take --style for itself.
    const Outcome badStyle = render({few, "--style", "Bars"});
    EXPECT_EQ(badStyle.status, 2);
    EXPECT_TRUE(badStyle.err.contains("Lines, Sticks, Steps, Dots")) << badStyle.err.toStdString();
}

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(KurvoRenderTest, ExportEntriesWriteTheCurrentCurve)
{
    const QString data = write("data.csv", "0;0.5\n1;1234567\n2;1e-9\n");
    const Outcome run = render({data, "--export-y", "y.DIF", "--export-x", "x.Txt", "--export-xls", "c.xls"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QList<QByteArray> dif = fileBytes(path("y.DIF")).split('\n');
    ASSERT_EQ(dif.size(), 31);
    EXPECT_EQ(dif[7], "0,4\r");
    EXPECT_EQ(dif[15], "\"data.0\"\r");
    EXPECT_EQ(dif[18], "0,0.5\r");
    EXPECT_EQ(dif[22], "0,1234567\r");
    EXPECT_EQ(dif[26], "0,1e-09\r");
    EXPECT_EQ(fileBytes(path("x.Txt")), "0\r\n1\r\n2\r\nEOD\r\n");

    // Debian's own interpreter holds the Debian packages; another python3 may come first.
    QProcess python;
    python.start(QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3", {"-c", "import sys, xlrd\n"
                                   "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                   "print(s.name, s.cell_value(0, 0), *[repr(s.cell_value(r, c)) for r in range(1, s.nrows) for c in (0, 1)])",
                             path("c.xls")});
    ASSERT_TRUE(python.waitForFinished(30000));
    if (python.exitCode() != 0)
        GTEST_SKIP() << "python3-xlrd is not there: " << python.readAllStandardError().toStdString();
    EXPECT_EQ(python.readAllStandardOutput(), "SHEET 1 data.0 0.0 0.5 1.0 1234567.0 2.0 1e-09\n");

    const Outcome wrongSuffix = render({data, "--export-y", "y.csv"});
    EXPECT_EQ(wrongSuffix.status, 2);
    EXPECT_FALSE(QFile::exists(path("y.csv")));
    const Outcome nowhere = render({data, "--export-y", path("none/y.dif")});
    EXPECT_EQ(nowhere.status, 2);
    EXPECT_TRUE(nowhere.err.contains("Can't write file " + path("none/y.dif"))) << nowhere.err.toStdString();
}

// The table of all curves reads back through the text reader as the same curves.
TEST_F(KurvoRenderTest, TableOfAllCurvesReadsBack)
{
    const QString data = write("three.dat", "0 1 10 0.1\n1 1234567 20 1e-9\n2 3 30 -0.5\n");
    const Outcome first = render({data, "-o", "table.csv", "--dump", "-"});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(fileBytes(path("table.csv")), "0,1,10,0.1\n1,1234567,20,1e-09\n2,3,30,-0.5\n");
    const Outcome again = render({path("table.csv"), "--dump", "-"});
    ASSERT_EQ(again.status, 0);
    EXPECT_EQ(QString(again.out).replace("table.", "three."), first.out);
}

// A curve leaves as a mono WAV file at the transform's sampling frequency, and comes back.
TEST_F(KurvoRenderTest, WavOutAndBackIn)
{
    const QString wave = write("wave.ms", "iterate 400\nexpr = 0.5*sin(2*pi*x/40)\n");
    const Outcome out = render({wave, "--calibrate", "8000.7", "-o", "wave.wav"});
    ASSERT_EQ(out.status, 0) << out.err.toStdString();
    const Outcome back = render({path("wave.wav"), "--log", "--stats"});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_TRUE(back.err.contains("Kurvo: # Channels 1, Sample rate 8000")) << back.err.toStdString();
    EXPECT_TRUE(back.out.contains("Samples 400\n"));
    EXPECT_TRUE(back.out.contains("Maximum 0.5\n")) << back.out.toStdString();

    const Outcome nowhere = render({wave, "-o", path("none/w.wav")});
    EXPECT_EQ(nowhere.status, 2);
}

// A full disk is no success: the file is named and the status is 2.
TEST_F(KurvoRenderTest, DumpThatCannotBeWrittenFails)
{
    const QString script = write("parabola.ms", kParabola);
    const Outcome full = render({script, "--dump", "/dev/full"});
    EXPECT_EQ(full.status, 2);
    EXPECT_TRUE(full.err.startsWith("kurvo-render: cannot write /dev/full: ")) << full.err.toStdString();

    const Outcome dumped = render({script, "--dump", "-"}, "/dev/full");
    EXPECT_EQ(dumped.status, 2);
    EXPECT_TRUE(dumped.err.startsWith("kurvo-render: cannot write standard output: ")) << dumped.err.toStdString();

    const Outcome printed = render({script, "--stats"}, "/dev/full");
    EXPECT_EQ(printed.status, 2);
    EXPECT_EQ(printed.err, "kurvo-render: cannot write to standard output\n");
}

// The vector painters report no failed write of their own; the file must still be checked.
TEST_F(KurvoRenderTest, PictureThatCannotBeWrittenFails)
{
    const QString script = write("parabola.ms", kParabola);
    for (const QString name : {"plot.svg", "plot.pdf", "plot.png"}) {
        ASSERT_TRUE(QFile::link("/dev/full", path(name)));
        const Outcome run = render({script, "-o", path(name)});
        EXPECT_EQ(run.status, 2) << name.toStdString();
        EXPECT_EQ(run.err, "kurvo-render: cannot write the picture " + path(name) + "\n");
    }
}

// The window runs such scripts to a curve of NaN; a command line that wants a plot is told
// what is missing.
TEST_F(KurvoRenderTest, ScriptsThatSayNothingFail)
{
    QByteArray utf16("\xff\xfe");
    for (const char c : QByteArray("iterate 3\nexpr = x\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    const struct {
        const char* name;
        QByteArray text;
        const char* reason;
    } rows[] = {
        {"empty.ms", "", "the script is empty: it needs a line expr = EXPRESSION"},
        {"blank.ms", " \n\t\n", "the script is empty: it needs a line expr = EXPRESSION"},
        {"titles.ms", "// a plot\ntitle \"T\"\niterate 5\n", "no expression: the script needs a line expr = EXPRESSION"},
        {"nothing.ms", "expr =\n", "no expression: the script needs a line expr = EXPRESSION"},
        {"utf16.ms", utf16, "not a UTF-8 text file: no statement can be read"},
        {"binary.ms", QByteArray("\x7f""ELF\x02\x01\x01\0\0\0expr = x", 17), "not a UTF-8 text file: no statement can be read"},
    };
    for (const auto& row : rows) {
        const QString script = write(row.name, row.text);
        const Outcome run = render({script, "-o", "never.png"});
        EXPECT_EQ(run.status, 1) << row.name;
        EXPECT_EQ(run.err, "PARSER ERROR: " + script + ": " + row.reason + "\n") << row.name;
        EXPECT_FALSE(QFile::exists(path("never.png"))) << row.name;
    }
}

TEST_F(KurvoRenderTest, LimitsOfAScriptAreParserErrors)
{
    const QString points = write("points.ms", "iterate 300000000\nexpr = x\n");
    const Outcome many = render({points, "--dump", "-"});
    EXPECT_EQ(many.status, 1);
    EXPECT_EQ(many.err, "PARSER ERROR: " + points + ": Not enough memory for 300000000 points\n");
    EXPECT_TRUE(many.out.isEmpty());

    QByteArray chain = "expr = z\n";
    for (char name = 'z'; name > 'p'; --name)
        chain += "def " + QByteArray(1, name) + ' ' + QByteArray(10, char(name - 1)) + '\n';
    const QString expanding = write("chain.ms", chain);
    const Outcome grown = render({expanding});
    EXPECT_EQ(grown.status, 1);
    EXPECT_EQ(grown.err, "PARSER ERROR: " + expanding + ": Expression too long after substitutions (10000000 characters)\n");
}

// The sign of a NaN means nothing, and "-nan" is read by no reader: every dump says "nan".
TEST_F(KurvoRenderTest, NotANumberAndInfinitiesDumpAsReadersReadThem)
{
    const QString script = write("odd.ms", "iterate 4\nexpr = if(i<1, 0/0, if(i<2, 1/0, if(i<3, -1/0, -(0/0))))\n");
    const Outcome run = render({script, "--dump", "odd.csv"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(fileBytes(path("odd.csv")), "id,name,x,y\n0,f(y),0,nan\n0,f(y),1,inf\n0,f(y),2,-inf\n0,f(y),3,nan\n");

    // Read back as a table, the dump's y column is curve 1 over the identifiers.
    const Outcome back = render({path("odd.csv"), "--dump", "-"});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_TRUE(back.out.endsWith("\n1,y,0,nan\n1,y,0,inf\n1,y,0,-inf\n1,y,0,nan\n")) << back.out.toStdString();
}

TEST_F(KurvoRenderTest, SelectNamesOnlyWholeIdentifiers)
{
    const QString script = write("parabola.ms", kParabola);
    for (const QString number : {"1e10", "0.5", "-1", "4294967296"}) {
        const Outcome run = render({script, "--select", number});
        EXPECT_EQ(run.status, 2) << number.toStdString();
        EXPECT_EQ(run.err, "kurvo-render: --select: there is no curve " + QString::number(number.toDouble()) + "\n");
    }
    EXPECT_EQ(render({script, "--select", "1e10"}).err, "kurvo-render: --select: there is no curve 1e+10\n");
    EXPECT_EQ(render({script, "--select", "0", "--stats"}).status, 0);
}

TEST_F(KurvoRenderTest, ScriptSuffixInAnyCase)
{
    const QString script = write("UPPER.MS", kParabola);
    const Outcome run = render({script, "--dump", "-"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("id,name,x,y\n0,f(y),0,0\n")) << run.out.toStdString();
}

// Print's page on a PDF printer: colour keeps the curve's colour, greyscale keeps none.
TEST_F(KurvoRenderTest, PrintsTheWindowsPageToPdf)
{
    const QString data = write("few.csv", "0;0\n1;1\n2;0\n3;1\n");
    ASSERT_EQ(render({data, "--title", "first", "--print", "colour.pdf"}).status, 0);
    ASSERT_EQ(render({data, "--greyscale", "--print", "grey.pdf"}).status, 0);
    EXPECT_TRUE(fileBytes(path("colour.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(fileBytes(path("grey.pdf")).startsWith("%PDF"));
    EXPECT_EQ(render({data, "--print", path("none/p.pdf")}).status, 2);

    const auto colouredPixels = [this](const QString& pdf) {
        QProcess raster;
        raster.start("pdftoppm", {"-png", "-r", "40", "-singlefile", path(pdf), path("page")});
        if (!raster.waitForFinished(30000) || raster.exitCode() != 0)
            return -1;
        const QImage page(path("page.png"));
        int count = 0;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                count += std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 40;
            }
        }
        return count;
    };
    const int colour = colouredPixels("colour.pdf");
    if (colour < 0)
        GTEST_SKIP() << "pdftoppm is not there to look at the pages";
    EXPECT_GT(colour, 0);
    EXPECT_EQ(colouredPixels("grey.pdf"), 0);
}

// A display in the environment changes nothing: Qt never sees the arguments, so --title stays
// ours, and a missing runtime folder brings no noise on standard error.
TEST_F(KurvoRenderTest, DisplayAndRuntimeFolderChangeNothing)
{
    const QString data = write("few.csv", "0;0\n1;1\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":99"));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const Outcome run = render({data, "--title", "Measured here", "-o", "titled.svg"}, environment);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fileBytes(path("titled.svg")).contains("Measured here"));
    const Outcome bare = render({data, "--title"}, environment);
    EXPECT_EQ(bare.status, 2);
}

// The pipeline of the README, word for word, through a shell.
TEST_F(KurvoRenderTest, SineFromAPipelineIsDrawn)
{
    const QString pipeline = QStringLiteral("seq 0 0.1 10 | awk '{print $1, sin($1)}' | '%1' - -o sine.png --dump -")
                                 .arg(QStringLiteral(KURVO_RENDER));
    const Outcome run = this->run(QStringLiteral("/bin/sh"), {"-c", pipeline}, quietEnvironment());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(path("sine.png")).size(), QSize(1024, 768));
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 101);
    EXPECT_TRUE(lines[1].startsWith("0,stdin.0,0,")) << lines[1].toStdString();
    const std::vector<double> y = dumpedY(run.out);
    for (std::size_t i = 0; i < y.size(); ++i)
        EXPECT_NEAR(y[i], std::sin(0.1 * double(i)), 1e-5) << i;
}

TEST_F(KurvoRenderTest, StandardInputTakesAnyTextTableOnce)
{
    const Outcome named = render({"--name", "ramp", "-", "--dump", "-"}, quietEnvironment(), QString(),
                                 "0;1\r\n1;2\r\n");
    ASSERT_EQ(named.status, 0) << named.err.toStdString();
    EXPECT_EQ(named.out, "id,name,x,y\n0,ramp.0,0,1\n0,ramp.0,1,2\n");
    // A header row names the curve, as in a file.
    const Outcome headed = render({"-", "--dump", "-"}, quietEnvironment(), QString(), "# run 3\ntime,volts\n0,5\n");
    EXPECT_EQ(headed.out, "id,name,x,y\n0,volts,0,5\n");
    // Data files and standard input in one run, in the order given.
    const QString data = write("few.csv", "0;0\n1;1\n");
    const Outcome both = render({data, "-", "--stats"}, quietEnvironment(), QString(), "0 7\n");
    EXPECT_EQ(both.status, 0) << both.err.toStdString();
    EXPECT_TRUE(both.out.startsWith("Minimum 7\n")) << both.out.toStdString();

    for (const QByteArray& nothing : {QByteArray(), QByteArray("\n\n"), QByteArray("no numbers here\n")}) {
        const Outcome run = render({"-", "-o", "never.png"}, quietEnvironment(), QString(), nothing);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.startsWith("kurvo-render: no curve could be read from standard input")) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("never.png")));
    }
    const Outcome twice = render({"-", "-"}, quietEnvironment(), QString(), "0 1\n");
    EXPECT_EQ(twice.status, 2);
    EXPECT_EQ(twice.err, "kurvo-render: standard input (-) can be read only once\n");
}

TEST_F(KurvoRenderTest, UnknownPictureSuffixSaysWhatItCanWrite)
{
    const QString data = write("few.csv", "0;0\n1;1\n");
    const Outcome run = render({data, "-o", "out.gif"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(".png, .jpg, .bmp, .svg and .pdf pictures")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.gif")));
}

// A print goes into a temporary beside its file and replaces the file only when complete: a
// folder, or a file that is read-only, stays as it was, and the run fails naming it.
TEST_F(KurvoRenderTest, PrintThatCannotReplaceItsFileFailsNamingIt)
{
    const QString data = write("few.csv", "0;0\n1;1\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pdf"));
    const QString readOnly = write("readonly.pdf", "kept");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const struct {
        QString target;
        const char* reason;
    } rows[] = {{path("folder.pdf"), "it is a folder"}, {readOnly, "it is read-only"}};
    for (const auto& row : rows) {
        const Outcome run = render({data, "--print", row.target});
        EXPECT_EQ(run.status, 2) << row.target.toStdString();
        EXPECT_EQ(run.err, "kurvo-render: Can't write file " + row.target + ": " + row.reason + "\n");
    }
    EXPECT_EQ(fileBytes(readOnly), "kept");
    EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf*"}), (QStringList{"folder.pdf", "readonly.pdf"}));
}

// Names are the file system's bytes, in a UTF-8 locale too: an input whose name is no UTF-8
// opens, every output is written under exactly the bytes given, and messages name them so.
TEST_F(KurvoRenderTest, NamesThatAreNoUtf8AreKeptByteForByte)
{
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    std::FILE* input = std::fopen((folder + "in\xff.csv").constData(), "wb");
    ASSERT_NE(input, nullptr);
    std::fputs("0;1\n1;2\n", input);
    std::fclose(input);
    QProcessEnvironment environment = quietEnvironment();
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    // The shell hands on the bytes that printf makes of octal escapes, as they are.
    const QString written = QStringLiteral("'%1' \"$(printf 'in\\377.csv')\" -o \"$(printf 'out\\376.png')\" "
                                           "--print \"$(printf 'page\\375.pdf')\" --dump \"$(printf 'points\\374.csv')\"")
                                .arg(QStringLiteral(KURVO_RENDER));
    const Outcome run = this->run(QStringLiteral("/bin/sh"), {"-c", written}, environment);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QString missing =
        QStringLiteral("'%1' \"$(printf 'gone\\373.csv')\" 2>errors.txt").arg(QStringLiteral(KURVO_RENDER));
    EXPECT_EQ(this->run(QStringLiteral("/bin/sh"), {"-c", missing}, environment).status, 2);
    EXPECT_EQ(fileBytes(path("errors.txt")), "kurvo-render: cannot read gone\xfb.csv\n");

    // Removed here: the folder would look for them under names decoded without the codec.
    for (const char* name : {"out\xfe.png", "page\xfd.pdf", "points\xfc.csv"}) {
        struct stat info {};
        EXPECT_EQ(::stat((folder + name).constData(), &info), 0) << QByteArray(name).toHex().constData();
        EXPECT_GT(info.st_size, 0) << QByteArray(name).toHex().constData();
        ::unlink((folder + name).constData());
    }
    ::unlink((folder + "in\xff.csv").constData());
}

} // namespace

// The table options shape every input's reading, wherever they stand on the line.
TEST_F(KurvoRenderTest, TableOptionsChooseWhatIsRead)
{
    const QString data = write("log.txt", "Logger 7\nrate: 1 Hz\n\nt;U;I\ns;V;mA\n0;1,5;2\n1;;3\n2;2,5;NA\n");
    const Outcome found = render({data, "--dump", "-"});
    EXPECT_EQ(found.status, 0) << found.err.toStdString();
    EXPECT_EQ(found.out, "id,name,x,y\n0,U [V],0,1.5\n0,U [V],1,nan\n0,U [V],2,2.5\n"
                         "1,I [mA],0,2\n1,I [mA],1,3\n1,I [mA],2,nan\n");

    const struct {
        QStringList options;
        QString dump;
    } cases[] = {
        {{"--x-column", "2", "--columns", "I [mA]"}, "0,I [mA],1.5,2\n0,I [mA],nan,3\n0,I [mA],2.5,nan\n"},
        {{"--x-column", "none", "--columns", "3"}, "0,I [mA],0,2\n0,I [mA],1,3\n0,I [mA],2,nan\n"},
        {{"--skip", "5", "--header", "none", "--columns", "2", "--decimal-point"}, "0,log.0,0,nan\n0,log.0,1,nan\n0,log.0,2,nan\n"},
        {{"--skip", "6", "--separator", "space"}, ""},
        {{"--no-units-row", "--columns", "I"}, "0,I,0,2\n0,I,1,3\n0,I,2,nan\n"},
    };
    for (const auto& c : cases) {
        const Outcome chosen = render(QStringList{"--dump", "-"} + c.options + QStringList{data});
        if (c.dump.isEmpty()) {
            EXPECT_EQ(chosen.status, 2) << c.options.join(' ').toStdString();
            continue;
        }
        EXPECT_EQ(chosen.status, 0) << chosen.err.toStdString();
        EXPECT_EQ(chosen.out, "id,name,x,y\n" + c.dump) << c.options.join(' ').toStdString();
    }

    const Outcome refused = render({data, "--fft", "-o", "never.png"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains("FFT refused: I [mA] has 1 missing values")) << refused.err.toStdString();

    const Outcome missing = render({data, "--x-column", "7", "-o", "never.png"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("Column 7 is not in the table, which has 3 columns")) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("never.png")));
    for (const QStringList& bad : {QStringList{"--separator", "ab"}, QStringList{"--skip", "-1"},
                                   QStringList{"--header", "0"}, QStringList{"--columns", "1,,2"}}) {
        const Outcome usage = render(QStringList{data} + bad);
        EXPECT_EQ(usage.status, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(usage.err.contains(bad.front())) << usage.err.toStdString();
    }

    const Outcome piped = render({"-", "--columns", "b", "--dump", "-"}, quietEnvironment(), QString(), "a b c\n1 2 3\n");
    EXPECT_EQ(piped.out, "id,name,x,y\n0,b,1,2\n");
    const Outcome dated = render({"-", "--dump", "-"}, quietEnvironment(), QString(), "2024-03-01T00:00:01Z,5\n");
    EXPECT_EQ(dated.out, "id,name,x,y\n0,stdin.0,1709251201,5\n");
}
