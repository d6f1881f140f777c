#include "DataFileFilters.h"
#include "FileReaders.h"
#include "ImportedData.h"
#include "PlotServerFixture.h"
#include "ReadProgress.h"
#include "ScriptedPrompt.h"
#include "Zoomer.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QShortcut>
#include <QToolButton>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>

#include <cmath>

namespace {

QStringList logLines;
QList<int> cursorShapes;
void collectLog(const QString& line)
{
    logLines << line;
    const QCursor* cursor = QApplication::overrideCursor();
    cursorShapes << (cursor ? int(cursor->shape()) : -1);
}

// Chooses a given name filter in the open dialog instead of the first one.
class FilterChoosingPrompt : public ScriptedPrompt
{
public:
    QString chosenFilter;
    QStringList openFileNames(QWidget* parent, const QString& caption, const QString& dir,
                              const QStringList& filters, QString* selectedFilter) override
    {
        const QStringList files = ScriptedPrompt::openFileNames(parent, caption, dir, filters, selectedFilter);
        if (!chosenFilter.isEmpty())
            *selectedFilter = chosenFilter;
        return files;
    }
};

class DataImporterTest : public PlotServerFixture<FilterChoosingPrompt>
{
protected:
    DataImporterTest()
    {
        server.setLogCallback(collectLog);
        logLines.clear();
        cursorShapes.clear();
    }

    QString write(const QString& name, const QByteArray& content) const
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    const QwtPlotCurve* curve(int id) const
    {
        const CurveRecord* r = server.record(id);
        return r ? r->curve : nullptr;
    }
    QwtInterval axis(int axisId) const { return server.plot()->axisScaleDiv(axisId).interval(); }
    double spin(const char* name) const { return server.findChild<QDoubleSpinBox*>(name)->value(); }
    QString cell(int row, int column) const
    {
        return server.findChild<QTableWidget*>("statisticsWD")->item(row, column)->text();
    }
    int drawnCurves() const { return server.plot()->itemList(QwtPlotItem::Rtti_PlotCurve).size(); }

    QTemporaryDir dir;
};

TEST_F(DataImporterTest, ThreeColumnsUnderAGivenIdentifier)
{
    const QString path = write("sensor.dat", "// t a b c\n0 1 10 100\n1 2 20 200\n2 3 30 300\n");
    server.addCurve(5, path, "name", false);

    EXPECT_EQ(server.curves(), 8);
    EXPECT_EQ(server.currentCurve(), 7);
    const QColor colours[] = {Qt::darkMagenta, Qt::darkYellow, Qt::darkGray};
    for (int id = 5; id <= 7; ++id) {
        ASSERT_NE(curve(id), nullptr) << id;
        EXPECT_EQ(curve(id)->title().text(), QString("name.%1").arg(id));
        EXPECT_EQ(curve(id)->pen().color(), colours[id - 5]);
        EXPECT_EQ(server.record(id)->samples, 3u);
    }
    EXPECT_EQ(curve(6)->sample(2), QPointF(2, 30));
    EXPECT_EQ(server.record(4), nullptr);

    EXPECT_EQ(axis(QwtPlot::xBottom).maxValue(), 2.0);
    EXPECT_EQ(axis(QwtPlot::yLeft).minValue(), 1.0);
    EXPECT_EQ(spin("verHighSB"), 300.0);
    ASSERT_NE(server.bottomLeftZoomer(), nullptr);
    EXPECT_EQ(server.bottomLeftZoomer()->zoomBase(), QRectF(QPointF(0, 1), QPointF(2, 300)));
    EXPECT_EQ(cell(2, 1), "600");  // the table shows the last curve

    ASSERT_GE(logLines.size(), 2);
    EXPECT_EQ(logLines.front(), path + " loaded ... [name]");
    EXPECT_EQ(logLines.back(), "Kurvo: Field separator [ ]");
    EXPECT_EQ(server.windowTitle(), "Kurvo: " + path + " [*]");
}

TEST_F(DataImporterTest, LoadingAgainUnderTheSameIdentifierReplacesTheCurves)
{
    const QString path = write("a.csv", "1;2\n3;4\n");
    server.addCurve(2, path, "a", false);
    server.addCurve(2, path, "b", false);
    EXPECT_EQ(drawnCurves(), 1);
    EXPECT_EQ(curve(2)->title().text(), "b.2");
}

TEST_F(DataImporterTest, ArrayFileDrawsRowZeroAsSticks)
{
    const QString path = write("four.adf", "$VX_ARRAY\n#COLS,4\n#ROWS,1\n#END\nr0,1,5,2,3\n");
    server.addCurve(-1, path, "four", false);

    ASSERT_NE(curve(0), nullptr);
    EXPECT_EQ(curve(0)->title().text(), "four.0");
    ASSERT_EQ(curve(0)->dataSize(), 4u);
    EXPECT_EQ(curve(0)->sample(3), QPointF(3, 3));
    EXPECT_EQ(curve(0)->style(), QwtPlotCurve::Sticks);
    EXPECT_EQ(curve(0)->pen().width(), 3);
    EXPECT_EQ(axis(QwtPlot::yLeft).minValue(), 0.0);
    EXPECT_EQ(axis(QwtPlot::yLeft).maxValue(), 5.0);
    EXPECT_EQ(axis(QwtPlot::xBottom).maxValue(), 3.0);
    EXPECT_EQ(server.currentCurve(), 0);
    EXPECT_EQ(server.curves(), 1);
    EXPECT_EQ(logLines.count("Kurvo: 4x1 { yMin = 0, yMax = 5 }"), 2);
    EXPECT_EQ(logLines.back(), "Kurvo: 4x1 { yMin = 0, yMax = 5 }");
}

TEST_F(DataImporterTest, DispatchBySuffix)
{
    const QString audio = write("Data.WAV", "1 2\n3 4\n");
    server.addCurve(-1, audio, "Data", false);
    EXPECT_EQ(logLines.back(), "Kurvo: Not able to open input file " + audio + ".");
    EXPECT_EQ(server.curves(), 0);

    const QString text = write("x.tab", "1 2\n3 4\n");
    server.addCurve(-1, text, "x", false);
    EXPECT_EQ(server.curves(), 1);
    EXPECT_EQ(curve(0)->title().text(), "x.0");
}

TEST_F(DataImporterTest, FailuresLeaveThePlotAsItWas)
{
    server.addCurve(-1, write("good.txt", "0 1\n10 11\n"), "good", false);
    const struct {
        QString path;
        QString lastLog;
    } cases[] = {
        {dir.filePath("missing.txt"), "Kurvo: Can't open file " + dir.filePath("missing.txt")},
        {dir.path(), "Kurvo: Can't open file " + dir.path()},
        {write("header.csv", "time;value\n"), "Kurvo: Header line but no data"},
        {dir.filePath("missing.adf"), "Kurvo: Can't open file " + dir.filePath("missing.adf")},
    };
    for (const auto& c : cases) {
        server.addCurve(-1, c.path, "bad", false);
        EXPECT_EQ(logLines.back(), c.lastLog) << c.path.toStdString();
    }
    EXPECT_EQ(server.curves(), 1);
    EXPECT_EQ(drawnCurves(), 1);
    EXPECT_EQ(axis(QwtPlot::xBottom).maxValue(), 10.0);
    EXPECT_EQ(spin("horStopSB"), 10.0);
}

TEST_F(DataImporterTest, OpenDialogLoadsEveryChosenFile)
{
    const QString first = write("first.csv", "1;2\n2;3\n");
    const QString second = write("second.txt", "$AUTOXSCALE\n5 6\n7 8\n9 10\n");
    prompt->chosenFilter = "Comma Separated Values (*.csv)";
    prompt->answers = {QStringList{first, second}, QString("Original Data"), QStringList{first}};
    server.readData();

    ASSERT_GE(prompt->calls.size(), 2u);
    const ScriptedPrompt::Call& open = prompt->calls[0];
    EXPECT_EQ(open.kind, "openFileNames");
    EXPECT_EQ(open.title, "Open File");
    EXPECT_EQ(open.dir, QDir::currentPath());
    EXPECT_EQ(open.choices, DataFileFilters::list());
    const QString allDataFiles = open.label;
    EXPECT_TRUE(allDataFiles.startsWith("All data files (*.adf *.aiff *.au *.snd *.csv *.dat *.dif"))
        << allDataFiles.toStdString();
    const ScriptedPrompt::Call& size = prompt->calls[1];
    EXPECT_EQ(size.title, "DATA SIZE");
    EXPECT_EQ(size.label, "Select an action:");
    EXPECT_EQ(size.choices, (QStringList{"Original Data", "Change data size for FFT"}));

    EXPECT_EQ(server.curves(), 3);
    EXPECT_EQ(curve(0)->title().text(), "first.0");
    EXPECT_EQ(curve(2)->title().text(), "second.2");
    EXPECT_EQ(curve(2)->sample(2), QPointF(2, 10));
    EXPECT_EQ(axis(QwtPlot::xBottom).maxValue(), 2.0);
    EXPECT_EQ(server.windowTitle(), "Kurvo: " + second + " [*]");
    EXPECT_FALSE(cursorShapes.isEmpty());
    EXPECT_EQ(cursorShapes.count(int(Qt::WaitCursor)), cursorShapes.size());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    server.readData();  // remembers the folder and the filter chosen
    const ScriptedPrompt::Call& again = prompt->calls[2];
    EXPECT_EQ(again.dir, dir.path() + "/");
    EXPECT_EQ(again.label, "Comma Separated Values (*.csv)");
    EXPECT_EQ(again.choices[0], "Comma Separated Values (*.csv)");
    EXPECT_EQ(again.choices[1], allDataFiles);
    EXPECT_EQ(again.choices.size(), DataFileFilters::list().size());
}

TEST_F(DataImporterTest, CancellingLoadsNothing)
{
    const QString file = write("a.csv", "1;2\n");
    server.readData();  // the dialog is cancelled
    EXPECT_EQ(prompt->count("item"), 0);
    prompt->answers = {QStringList{file}};
    server.readData();  // the size question is cancelled
    EXPECT_EQ(prompt->count("item"), 1);
    server.loadRawData(file);  // cancelled too
    EXPECT_EQ(server.curves(), 0);
    EXPECT_TRUE(logLines.isEmpty());

    prompt->chosenFilter = "Comma Separated Values (*.csv)";
    server.readData();
    EXPECT_TRUE(prompt->calls.back().label.startsWith("All data files"));  // nothing remembered
}

TEST_F(DataImporterTest, RawDataAsksForTheSizeAndMayFitToAPowerOfTwo)
{
    QByteArray rows;
    for (int i = 0; i < 1000; ++i)
        rows += QByteArray::number(i) + ";" + QByteArray::number(i % 7) + "\n";
    const QString path = write("long run.csv", rows);
    prompt->answers = {QString("Change data size for FFT")};
    server.loadRawData(path);

    EXPECT_EQ(prompt->calls.front().title, "DATA SIZE");
    ASSERT_NE(curve(0), nullptr);
    EXPECT_EQ(curve(0)->title().text(), "long run.0");
    EXPECT_EQ(curve(0)->dataSize(), 512u);
    EXPECT_TRUE(logLines.contains("Kurvo: # Original points 1000, corrected to 512"));
    EXPECT_EQ(axis(QwtPlot::xBottom).maxValue(), 511.0);
}

TEST_F(DataImporterTest, TitleGoesToTheWindowThatHoldsThePlot)
{
    QWidget window;
    auto* holder = new QWidget(&window);
    server.setParent(holder);
    const QString path = write("t.txt", "1 2\n");
    server.addCurve(-1, path, "t", false);
    EXPECT_EQ(window.windowTitle(), "Kurvo: " + path + " [*]");
    server.setParent(nullptr);
}

TEST_F(DataImporterTest, NonAsciiPathsOpenAndLog)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromUtf8("Messreihe \xC3\xA4")));
    const QString path = write(QString::fromUtf8("Messreihe \xC3\xA4/Schwingung \xC3\xBC.csv"), "0;1\n1;0\n");
    server.addCurve(-1, path, QFileInfo(path).baseName(), false);
    EXPECT_EQ(logLines.front(), path + QString::fromUtf8(" loaded ... [Schwingung \xC3\xBC]"));
    EXPECT_EQ(server.curves(), 1);
}

TEST_F(DataImporterTest, NonFiniteValuesLoadWithoutHanging)
{
    server.addCurve(-1, write("odd.txt", "nan 1\n1 inf\n2 -inf\n3 4\n"), "odd", false);
    ASSERT_NE(curve(0), nullptr);
    EXPECT_EQ(curve(0)->dataSize(), 4u);
    EXPECT_EQ(axis(QwtPlot::xBottom).maxValue(), 3.0);
    EXPECT_EQ(axis(QwtPlot::yLeft).minValue(), 1.0);
    EXPECT_EQ(axis(QwtPlot::yLeft).maxValue(), 4.0);
}

TEST_F(DataImporterTest, ExamplesLoad)
{
    const struct {
        const char* file;
        int curves;
    } examples[] = {
        {"damped-oscillation.csv", 1},
        {"sensor-channels.dat", 3},
        {"tide-gauge.txt", 2},
        {"echo-pulse.adf", 1},
        {"population-header.csv", 2},
        {"daily-temperature.csv", 2},
        {"aligned-columns.txt", 1},
    };
    for (const auto& e : examples) {
        const QString path = QStringLiteral(KURVO_EXAMPLES_DIR "/") + e.file;
        const int before = server.curves();
        server.addCurve(-1, path, QFileInfo(path).baseName(), false);
        EXPECT_EQ(server.curves() - before, e.curves) << e.file;
        EXPECT_FALSE(logLines.back().contains("not found")) << e.file;
    }
}

// The readers quote whole fields and lines; the log cuts what it writes, not the readers.
TEST_F(DataImporterTest, LongQuotedTextIsCutWhereTheLogWritesIt)
{
    const QByteArray field(6000, 'a');
    server.addCurve(-1, write("wide.txt", field + " b\n"), "wide", false);
    server.addCurve(-1, write("wide.adf", "$VX_ARRAY\n#TITLE," + field + "\n#END\n"), "wide", false);
    const QString quotedField = "Kurvo: Number of fields: " + QString(field);
    const QString quotedLine = "Kurvo: [#TITLE," + QString(field);
    int cut = 0;
    for (const QString& line : logLines) {
        EXPECT_LE(line.size(), 4095);
        if (line == quotedField.left(4095) || line == quotedLine.left(4095))
            ++cut;
    }
    EXPECT_EQ(cut, 2);
}

// A header row names the curves; a column without a name keeps the file's name and number.
TEST_F(DataImporterTest, HeaderNamesBecomeCurveTitles)
{
    server.addCurve(-1, write("named.csv", "t;level;;\n0;1;2\n1;3;4\n"), "named", false);
    ASSERT_NE(curve(0), nullptr);
    EXPECT_EQ(curve(0)->title().text(), "level");
    EXPECT_EQ(curve(1)->title().text(), "named.1");
    EXPECT_EQ(logLines.filter("Header line").size(), 1);
}

// A file that is not there: no question first, no "loaded" line, the window title as it was.
TEST_F(DataImporterTest, MissingFileAsksNothingAndChangesNothing)
{
    server.setWindowTitle("before");
    const QString missing = dir.filePath("gone.csv");
    server.loadRawData(missing);
    server.addCurve(-1, missing, "gone", false);
    EXPECT_EQ(prompt->count("item"), 0);
    EXPECT_EQ(logLines, QStringList({"Kurvo: Can't open file " + missing, "Kurvo: Can't open file " + missing}));
    EXPECT_EQ(server.windowTitle(), "before");
}

} // namespace

namespace {

// Import… asks for a file, shows how its table will be read, and loads it as the dialog chose;
// the shortcut Ctrl+I opens it too, and a cancelled dialog loads nothing.
TEST_F(DataImporterTest, ImportLoadsAsTheDialogChose)
{
    const QString file = write("log.txt", "Logger 7\nt;U;I\ns;V;mA\n0;1,5;2\n1;2,5;3\n");
    prompt->answers = {file};
    prompt->onDialog = [](QDialog* dialog) {
        auto* x = dialog->findChild<QComboBox*>("xColumnCB");
        x->setCurrentIndex(x->findText("2: U [V]"));
        return int(QDialog::Accepted);
    };
    auto* shortcut = server.findChild<QShortcut*>("importShortcut");
    EXPECT_EQ(shortcut->key(), QKeySequence(QStringLiteral("Ctrl+I")));
    emit shortcut->activated();
    ASSERT_EQ(server.curves(), 2);
    EXPECT_EQ(curve(0)->title().text(), "t [s]");
    EXPECT_EQ(curve(0)->sample(1), QPointF(2.5, 1));
    EXPECT_EQ(curve(1)->title().text(), "I [mA]");
    EXPECT_EQ(prompt->calls.back().kind, "dialog");
    EXPECT_EQ(prompt->calls.back().title, "Import");

    prompt->answers = {file};
    prompt->onDialog = [](QDialog*) { return int(QDialog::Rejected); };
    server.findChild<QToolButton*>("plotImportTB")->click();
    EXPECT_EQ(server.curves(), 2);
}

} // namespace

// A file large enough that its reading outlasts many turns of the event loop gives the curves
// its reader gives when called directly.
TEST_F(DataImporterTest, LargeFileReadBesideTheWindowGivesTheReadersCurves)
{
    QByteArray text;
    for (int i = 0; i < 200000; ++i)
        text += QByteArray::number(i) + ' ' + QByteArray::number(std::sin(i / 100.0), 'g', 17) + ' '
                + QByteArray::number(i % 7) + '\n';
    const QString path = write("large.txt", text);
    server.addCurve(-1, path, "large", false);

    const ImportedData direct = readTextFile(path, "large", false);
    ASSERT_EQ(direct.y.size(), 2u);
    ASSERT_EQ(server.curves(), 2);
    for (int id = 0; id < 2; ++id) {
        EXPECT_EQ(values(id, false), std::vector<double>(direct.x.begin(), direct.x.end()));
        EXPECT_EQ(values(id, true), std::vector<double>(direct.y[id].begin(), direct.y[id].end()));
    }
}

TEST_F(DataImporterTest, CancelledLoadAddsNoCurvesAndKeepsTheTitle)
{
    server.setWindowTitle("before");
    prompt->cancelAtCheck = 1;
    server.loadFrom(-1, "slow source", "slow", [] {
        // Waits for the cancel, at most long enough for a failing test to end.
        for (int i = 0; i < 2000 && !ReadProgress::cancelRequested(); ++i)
            QThread::msleep(5);
        ImportedData data;
        data.x = {0, 1};
        data.y = {{1, 2}};
        return data;
    });
    EXPECT_EQ(prompt->count("progress"), 1);
    EXPECT_EQ(server.curves(), 0);
    EXPECT_EQ(logLines.back(), "Kurvo: Loading slow source cancelled");
    EXPECT_EQ(server.windowTitle(), "before");
}
