#include "CodeEditor.h"
#include "InstalledFileNameCodec.h"
#include "Kurvo.h"
#include "KurvoVersion.h"
#include "QStringPrinter.h"
#include "ScriptFile.h"
#include "ScriptParser.h"
#include "ScriptedPrompt.h"
#include "Startup.h"
#include "AddressSpaceLimit.h"
#include "vxKurvo.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QPushButton>
#include <QHelpEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCodec>
#include <QTextEdit>
#include <QToolButton>
#include <QTransform>
#include <QVBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QCheckBox>
#include <QAbstractSpinBox>

#include <gtest/gtest.h>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_text.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

namespace {

// Every test runs in a fresh working folder, where the window keeps its autosave file and
// the settings keep the recent files.
class KurvoTest : public ::testing::Test
{
protected:
    KurvoTest()
    {
        previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    }
    ~KurvoTest() override { QDir::setCurrent(previousFolder); }

    // A window whose questions are answered by the scripted prompt.
    std::unique_ptr<Kurvo> newWindow()
    {
        auto window = std::make_unique<Kurvo>();
        auto scripted = std::make_unique<ScriptedPrompt>();
        prompt = scripted.get();
        window->setPrompt(std::move(scripted));
        return window;
    }

    static void writeAutosave(const QByteArray& bytes)
    {
        QDir().mkpath("script");
        QFile file(ScriptFile::autosavePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QwtPlot* qwtPlotOf(Kurvo& window) { return window.plotWidget()->findChild<QwtPlot*>("qwtPlot"); }

    static QList<QwtPlotCurve*> curvesOf(Kurvo& window)
    {
        QList<QwtPlotCurve*> curves;
        for (QwtPlotItem* item : qwtPlotOf(window)->itemList(QwtPlotItem::Rtti_PlotCurve))
            curves << static_cast<QwtPlotCurve*>(item);
        return curves;
    }

    static QTabWidget* tabsOf(Kurvo& window) { return window.findChild<QTabWidget*>("mainTab"); }
    static QTextEdit* logOf(Kurvo& window) { return window.findChild<QTextEdit*>("log"); }

    // Runs the script as the RUN button does, from the Script tab.
    void run(Kurvo& window, const QString& script)
    {
        window.scriptEditor()->setPlainText(script);
        tabsOf(window)->setCurrentIndex(1);
        QTest::mouseClick(window.findChild<QPushButton*>("runPB"), Qt::LeftButton);
    }

    static void expectTitles(Kurvo& window, const QString& title, const QString& x, const QString& y)
    {
        QwtPlot* plot = qwtPlotOf(window);
        EXPECT_EQ(plot->title().text(), title);
        EXPECT_EQ(plot->axisTitle(QwtPlot::xBottom).text(), x);
        EXPECT_EQ(plot->axisTitle(QwtPlot::yLeft).text(), y);
    }

    // Makes the plot widget log two lines, as a finished zoom does.
    static void makePlotLog(Kurvo& window)
    {
        QWidget* server = window.plotWidget()->findChild<QWidget*>("PlotServer");
        ASSERT_NE(server, nullptr);
        ASSERT_TRUE(QMetaObject::invokeMethod(server, "zoomedSlot", Q_ARG(QRectF, QRectF(1, 2, 3, 4))));
    }

    // A tab icon as the tab bar receives it for a 24 x 24 tab, upright as it is drawn.
    static QImage iconImage(const char* file)
    {
        return QIcon(QStringLiteral(":/Kurvo/images/") + file)
            .pixmap(24, 24)
            .toImage()
            .convertToFormat(QImage::Format_ARGB32);
    }

    // Whether `part` was painted somewhere inside `area` of `whole`: its fully opaque pixels
    // cover what was under them, so those must come through, give or take rounding.
    static bool appearsIn(const QImage& whole, const QRect& area, const QImage& part)
    {
        const QRect inside = area & whole.rect();
        for (int top = inside.top(); top + part.height() <= inside.bottom() + 1; ++top) {
            for (int left = inside.left(); left + part.width() <= inside.right() + 1; ++left) {
                if (coversAt(whole, QPoint(left, top), part))
                    return true;
            }
        }
        return false;
    }

    static bool coversAt(const QImage& whole, QPoint at, const QImage& part)
    {
        for (int y = 0; y < part.height(); ++y) {
            for (int x = 0; x < part.width(); ++x) {
                const QRgb p = part.pixel(x, y);
                if (qAlpha(p) == 255 && !near(p, whole.pixel(at.x() + x, at.y() + y), 8))
                    return false;
            }
        }
        return true;
    }

    static bool near(QRgb a, QRgb b, int levels)
    {
        return std::abs(qRed(a) - qRed(b)) <= levels && std::abs(qGreen(a) - qGreen(b)) <= levels &&
               std::abs(qBlue(a) - qBlue(b)) <= levels && std::abs(qAlpha(a) - qAlpha(b)) <= levels;
    }

    QTemporaryDir folder;
    QString previousFolder;
    ScriptedPrompt* prompt = nullptr;
};

TEST_F(KurvoTest, WindowCarriesItsNamesSizeAndTitle)
{
    auto window = newWindow();
    EXPECT_EQ(window->objectName(), "KurvoClass");
    EXPECT_EQ(window->size(), QSize(623, 508));
    EXPECT_EQ(window->windowTitle(), "Kurvo - ");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(Kurvo::currentWindow(), window.get());

    auto* top = window->findChild<QVBoxLayout*>("verticalLayout");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(window->layout(), top);
    for (const char* name : {"verticalLayout", "verticalLayout_2", "verticalLayout_3", "verticalLayout_4",
                             "verticalLayout_5"}) {
        auto* layout = window->findChild<QVBoxLayout*>(name);
        ASSERT_NE(layout, nullptr) << name;
        EXPECT_EQ(layout->spacing(), 6) << name;
        EXPECT_EQ(layout->contentsMargins(), QMargins(11, 11, 11, 11)) << name;
    }
}

TEST_F(KurvoTest, FourTabsOnTheLeftEdgeWithPlotCurrent)
{
    auto window = newWindow();
    QTabWidget* tabs = tabsOf(*window);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabPosition(), QTabWidget::West);
    EXPECT_EQ(tabs->tabShape(), QTabWidget::Triangular);
    EXPECT_EQ(tabs->iconSize(), QSize(24, 24));
    ASSERT_EQ(tabs->count(), 4);
    const char* names[] = {"Plot", "Script", "Log", "About"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs->widget(i)->objectName(), names[i]);
        EXPECT_EQ(tabs->tabText(i), names[i]);
        EXPECT_FALSE(tabs->tabIcon(i).isNull()) << names[i];
    }
    EXPECT_EQ(tabs->currentIndex(), 0);
}

// The tab bar on the left edge turns its labels; the icons must still stand upright, and
// the Script and Log tabs must be told apart at a glance.
TEST_F(KurvoTest, TabIconsStandUprightAndScriptAndLogDiffer)
{
    auto window = newWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* bar = tabsOf(*window)->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    const QImage shot = bar->grab().toImage().convertToFormat(QImage::Format_ARGB32);

    const char* files[] = {"plot.png", "script.png", "showLog.png", "aboutIcon.png"};
    for (int i = 0; i < 4; ++i) {
        const QImage upright = iconImage(files[i]);
        EXPECT_TRUE(appearsIn(shot, bar->tabRect(i), upright)) << files[i];
        EXPECT_FALSE(appearsIn(shot, bar->tabRect(i), upright.transformed(QTransform().rotate(-90))))
            << files[i];
    }

    const QImage script = iconImage("script.png");
    const QImage log = iconImage("showLog.png");
    ASSERT_EQ(script.size(), log.size());
    int differing = 0;
    for (int y = 0; y < script.height(); ++y) {
        for (int x = 0; x < script.width(); ++x)
            differing += near(script.pixel(x, y), log.pixel(x, y), 48) ? 0 : 1;
    }
    EXPECT_GT(differing, script.width() * script.height() / 3);
}

TEST_F(KurvoTest, PlotTabHoldsThePlotWidget)
{
    auto window = newWindow();
    auto* plot = window->findChild<vxKurvo*>("kurvo");
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot, window->plotWidget());
    EXPECT_EQ(plot->parentWidget()->objectName(), "Plot");
    // At least 320 x 240, more where the plot's axes and titles need it.
    EXPECT_GE(plot->minimumWidth(), 320);
    EXPECT_GE(plot->minimumHeight(), 240);
    // begin ran: the plot shows the start titles.
    expectTitles(*window, "Kurvo", "X", "Y");
}

TEST_F(KurvoTest, ScriptTabHoldsTheButtonRowAndTheEditor)
{
    auto window = newWindow();
    auto* row = window->findChild<QHBoxLayout*>("horizontalLayout");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->spacing(), 6);
    ASSERT_EQ(row->count(), 4);
    EXPECT_EQ(row->itemAt(0)->widget()->objectName(), "openPB");
    EXPECT_EQ(row->itemAt(1)->widget()->objectName(), "savePB");
    ASSERT_NE(row->itemAt(2)->spacerItem(), nullptr);
    EXPECT_EQ(row->itemAt(2)->spacerItem()->sizeHint(), QSize(40, 20));
    EXPECT_EQ(row->itemAt(2)->expandingDirections(), Qt::Horizontal);
    EXPECT_EQ(row->itemAt(3)->widget()->objectName(), "runPB");

    const char* texts[] = {"OPEN", "SAVE", "RUN"};
    const char* names[] = {"openPB", "savePB", "runPB"};
    for (int i = 0; i < 3; ++i) {
        auto* button = window->findChild<QPushButton*>(names[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), texts[i]);
        EXPECT_EQ(button->iconSize(), QSize(24, 24));
        EXPECT_FALSE(button->icon().isNull());
    }

    auto* column = window->findChild<QVBoxLayout*>("verticalLayout_5");
    ASSERT_EQ(column->count(), 2);
    EXPECT_EQ(column->itemAt(0)->layout(), row);
    auto* editor = window->findChild<CodeEditor*>("scriptEditor");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(column->itemAt(1)->widget(), editor);
    EXPECT_EQ(editor->font().family(), "Courier New");
    EXPECT_EQ(editor->font().pointSize(), 10);
}

TEST_F(KurvoTest, LogViewIsAnEditableDarkPanel)
{
    auto window = newWindow();
    QTextEdit* log = logOf(*window);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->parentWidget()->objectName(), "Log");
    EXPECT_FALSE(log->isReadOnly());
    EXPECT_EQ(log->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(log->frameShape(), QFrame::Box);
    EXPECT_EQ(log->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(log->lineWidth(), 1);
    EXPECT_EQ(log->midLineWidth(), 1);
    EXPECT_EQ(log->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(log->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(log->font().family(), "Courier New");
    const QPalette p = log->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        EXPECT_EQ(p.color(g, QPalette::Text), QColor(255, 255, 127));
        EXPECT_EQ(p.color(g, QPalette::Base), QColor(80, 80, 80));
    }
    EXPECT_EQ(p.color(QPalette::Disabled, QPalette::Text), QColor(120, 120, 120));
    EXPECT_EQ(p.color(QPalette::Disabled, QPalette::Base), QColor(240, 240, 240));
}

TEST_F(KurvoTest, AboutPageExplainsScriptsAndThePlot)
{
    auto window = newWindow();
    auto* license = window->findChild<QTextBrowser*>("license");
    ASSERT_NE(license, nullptr);
    EXPECT_EQ(license->parentWidget()->objectName(), "About");
    EXPECT_EQ(license->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_TRUE(license->openExternalLinks());
    const QString text = license->toPlainText();
    for (const char* words : {"iterate", "step", "expr", "def", "title", "xLegend", "yLegend",
                              "Left drag", "Right click", "Ctrl+right click", "Middle drag",
                              "wheel", "legend", "tool panel", "erf", "atan2",
                              "GPL-3.0-or-later"})
        EXPECT_TRUE(text.contains(words, Qt::CaseInsensitive)) << words;
    EXPECT_TRUE(text.startsWith("Kurvo\nVersion " KURVO_VERSION "\n")) << text.left(40).toStdString();
}

TEST_F(KurvoTest, RunAddsACurveSetsTheTitlesAndShowsThePlot)
{
    auto window = newWindow();
    run(*window, "title \"Line\"\nxLegend \"t\"\nyLegend \"u\"\niterate 4\nstep 0.5\nexpr = 2*x+1");
    ASSERT_EQ(curvesOf(*window).size(), 1);
    QwtPlotCurve* curve = curvesOf(*window).front();
    EXPECT_EQ(curve->title().text(), "f(y)");
    ASSERT_EQ(curve->dataSize(), 4u);
    for (size_t n = 0; n < 4; ++n) {
        EXPECT_DOUBLE_EQ(curve->sample(n).x(), 0.5 * n);
        EXPECT_DOUBLE_EQ(curve->sample(n).y(), 2 * 0.5 * n + 1);
    }
    expectTitles(*window, "Line", "t", "u");
    EXPECT_EQ(tabsOf(*window)->currentIndex(), 0);
    EXPECT_EQ(prompt->calls.size(), 0u);

    // Every run adds a further curve.
    run(*window, "iterate 4\nexpr = x\nname \"Ramp\"");
    EXPECT_EQ(curvesOf(*window).size(), 2);
    EXPECT_EQ(window->plotWidget()->curves(), 2);
    EXPECT_EQ(curvesOf(*window).back()->title().text(), "Ramp");
    expectTitles(*window, "Kurvo", "X", "Y");
}

TEST_F(KurvoTest, F5RunsTheScriptFromTheScriptTabOnly)
{
    auto window = newWindow();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->scriptEditor()->setPlainText("iterate 4\nexpr = x");
    EXPECT_TRUE(window->findChild<QPushButton*>("runPB")->toolTip().contains("F5"));

    // A shortcut clicks its button with a short animation: the click comes from the event loop.
    const auto waitForCurve = [&] {
        for (int waited = 0; waited < 1000 && curvesOf(*window).isEmpty(); waited += 20)
            QTest::qWait(20);
    };
    QTest::keyClick(window.get(), Qt::Key_F5);
    waitForCurve();
    EXPECT_TRUE(curvesOf(*window).isEmpty()) << "F5 ran from the Plot tab";

    tabsOf(*window)->setCurrentIndex(1);
    window->scriptEditor()->setFocus();
    QTest::keyClick(window->scriptEditor(), Qt::Key_F5);
    waitForCurve();
    ASSERT_EQ(curvesOf(*window).size(), 1);
    EXPECT_EQ(curvesOf(*window).first()->dataSize(), 4u);
    EXPECT_EQ(tabsOf(*window)->currentIndex(), 0);
    EXPECT_EQ(window->scriptEditor()->toPlainText(), "iterate 4\nexpr = x");
}

TEST_F(KurvoTest, EngineFailureShowsParserErrorAndStillSetsTheTitles)
{
    auto window = newWindow();
    run(*window, "title \"Broken\"\nxLegend \"a\"\nyLegend \"b\"\nexpr = nosuchname*x");
    ASSERT_EQ(prompt->calls.size(), 1u);
    EXPECT_EQ(prompt->calls[0].kind, "critical");
    EXPECT_EQ(prompt->calls[0].title, "PARSER ERROR");
    EXPECT_TRUE(prompt->calls[0].label.contains("nosuchname")) << prompt->calls[0].label.toStdString();
    EXPECT_TRUE(prompt->calls[0].label.endsWith("\nLine 4, column 8")) << prompt->calls[0].label.toStdString();
    const QTextCursor cursor = window->scriptEditor()->textCursor();
    EXPECT_EQ(cursor.blockNumber(), 3);
    EXPECT_EQ(cursor.positionInBlock(), 7);
    EXPECT_TRUE(curvesOf(*window).isEmpty());
    expectTitles(*window, "Broken", "a", "b");
    EXPECT_EQ(tabsOf(*window)->currentIndex(), 0);
}

TEST_F(KurvoTest, FailureAtPointFiveLeavesNoCurve)
{
    auto window = newWindow();
    std::vector<quint32> points;
    window->setPointEvaluator([&](ScriptParser& parser, const QString& expression, quint32 point, bool* ok) {
        points.push_back(point);
        return point == 5 ? parser.evaluate("nosuchname", ok) : compileOnce(parser, expression, point, ok);
    });
    run(*window, "title \"Five\"\niterate 10\nexpr = x");
    EXPECT_EQ(points, (std::vector<quint32>{0, 1, 2, 3, 4, 5}));
    ASSERT_EQ(prompt->count("critical"), 1);
    EXPECT_EQ(prompt->calls[0].title, "PARSER ERROR");
    EXPECT_TRUE(prompt->calls[0].label.contains("nosuchname"));
    EXPECT_TRUE(curvesOf(*window).isEmpty());
    EXPECT_EQ(window->plotWidget()->curves(), 0);
    expectTitles(*window, "Five", "X", "Y");
}

TEST_F(KurvoTest, IterateZeroHandsAnEmptyCurveToThePlot)
{
    auto window = newWindow();
    run(*window, "iterate 0\ntitle \"None\"\nexpr = (((");
    EXPECT_EQ(prompt->calls.size(), 0u);
    ASSERT_EQ(curvesOf(*window).size(), 1);
    EXPECT_EQ(curvesOf(*window).front()->dataSize(), 0u);
    expectTitles(*window, "None", "X", "Y");
}

// A long run goes on beside the window; its progress dialog's Cancel stops it, with no curve
// and no error.
TEST_F(KurvoTest, CancelStopsALongRunWithoutACurve)
{
    auto window = newWindow();
    prompt->cancelAtCheck = 1;
    run(*window, "iterate 100000000\ntitle \"Long\"\nexpr = sin(x)*cos(x)");
    ASSERT_EQ(prompt->progressDialogs.size(), 1u);
    EXPECT_EQ(prompt->count("critical"), 0);
    EXPECT_TRUE(curvesOf(*window).isEmpty());
}

TEST_F(KurvoTest, TooManyPointsToHoldIsAParserError)
{
    auto window = newWindow();
    // The points take 1.6 GB: y only, since x steps evenly.
    AddressSpaceLimit limit(1ull << 30);
    if (!limit.isActive())
        GTEST_SKIP() << "the address space cannot be capped here";
    run(*window, "iterate 200000000\ntitle \"Huge\"\nexpr = x");
    ASSERT_EQ(prompt->count("critical"), 1);
    EXPECT_EQ(prompt->calls[0].title, "PARSER ERROR");
    EXPECT_EQ(prompt->calls[0].label, "Not enough memory for 200000000 points");
    EXPECT_TRUE(curvesOf(*window).isEmpty());
    expectTitles(*window, "Huge", "X", "Y");
}

TEST_F(KurvoTest, CountsNoCurveHoldsAreAParserErrorBeforeAnyPoint)
{
    auto window = newWindow();
    // Counts, and fails at once, should it ever be asked for a point.
    int calls = 0;
    window->setPointEvaluator([&](ScriptParser& parser, const QString&, quint32, bool* ok) {
        ++calls;
        return parser.evaluate("nosuch", ok);
    });
    run(*window, "iterate 300000000\ntitle \"Huge\"\nexpr = x");
    EXPECT_EQ(calls, 0);
    ASSERT_EQ(prompt->count("critical"), 1);
    EXPECT_EQ(prompt->calls[0].title, "PARSER ERROR");
    EXPECT_EQ(prompt->calls[0].label, "Not enough memory for 300000000 points");
    EXPECT_TRUE(curvesOf(*window).isEmpty());
    expectTitles(*window, "Huge", "X", "Y");
}

TEST_F(KurvoTest, RunKeepsTheScriptBeforeItRuns)
{
    auto window = newWindow();
    QByteArray keptAtFirstPoint;
    window->setPointEvaluator([&](ScriptParser& parser, const QString& expression, quint32 point, bool* ok) {
        if (point == 0)
            keptAtFirstPoint = readFile(ScriptFile::autosavePath());
        return compileOnce(parser, expression, point, ok);
    });
    run(*window, "iterate 2\nexpr = x");
    EXPECT_EQ(keptAtFirstPoint, QByteArray("iterate 2\nexpr = x"));
    EXPECT_EQ(curvesOf(*window).size(), 1);
}

TEST_F(KurvoTest, RunningOutOfMemoryIsAParserErrorAndTheScriptStays)
{
    auto window = newWindow();
    window->setPointEvaluator([](ScriptParser&, const QString&, quint32, bool*) -> double { throw std::bad_alloc(); });
    run(*window, "iterate 5\nexpr = x");
    ASSERT_EQ(prompt->count("critical"), 1);
    EXPECT_EQ(prompt->calls[0].title, "PARSER ERROR");
    EXPECT_EQ(prompt->calls[0].label, "Not enough memory to run the script");
    EXPECT_EQ(window->scriptEditor()->toPlainText(), "iterate 5\nexpr = x");
    EXPECT_EQ(readFile(ScriptFile::autosavePath()), QByteArray("iterate 5\nexpr = x"));
    EXPECT_TRUE(curvesOf(*window).isEmpty());
}

// The run's own arrays fit where a second copy of them would not: the curve shares them, so
// it is drawn all the same, and the plot takes the next curve as usual.
TEST_F(KurvoTest, CurveSharesTheArraysOfTheRun)
{
    auto window = newWindow();
    quint32 evaluated = 0;
    window->setPointEvaluator([&](ScriptParser&, const QString&, quint32 point, bool* ok) {
        ++evaluated;
        *ok = true;
        return double(point);
    });
    {
        AddressSpaceLimit limit(256ull << 20);
        if (!limit.isActive())
            GTEST_SKIP() << "the address space cannot be capped here";
        run(*window, "iterate 12000000\nexpr = x");
    }
    EXPECT_EQ(evaluated, 12000000u);
    EXPECT_EQ(prompt->count("critical"), 0);
    ASSERT_EQ(curvesOf(*window).size(), 1);
    EXPECT_EQ(curvesOf(*window).front()->dataSize(), 12000000u);

    run(*window, "iterate 3\nexpr = x");
    ASSERT_EQ(curvesOf(*window).size(), 2);
    EXPECT_EQ(curvesOf(*window).back()->dataSize(), 3u);
}

TEST_F(KurvoTest, AutosaveRoundTripKeepsNonAsciiText)
{
    const QString script = QString::fromUtf8("title \"Spannung ü ∑ Ω\"\nexpr = x // größer\n");
    {
        auto window = newWindow();
        window->scriptEditor()->setPlainText(script);
    }
    const QByteArray written = readFile(ScriptFile::autosavePath());
    EXPECT_EQ(written, script.toLocal8Bit());

    auto again = newWindow();
    EXPECT_EQ(again->scriptEditor()->toPlainText(), QString::fromUtf8(script.toLocal8Bit()));
    if (QTextCodec::codecForLocale()->name() == "UTF-8") {
        EXPECT_EQ(again->scriptEditor()->toPlainText(), script);
    }
}

TEST_F(KurvoTest, StartRestoresTheAutosavedScriptAsUtf8)
{
    writeAutosave(QString::fromUtf8("iterate 5\ntitle \"Wärme\"").toUtf8());
    auto window = newWindow();
    EXPECT_EQ(window->scriptEditor()->toPlainText(), QString::fromUtf8("iterate 5\ntitle \"Wärme\""));
}

TEST_F(KurvoTest, WithoutScriptFolderTheEditorStartsEmptyAndLeavesNothing)
{
    testing::internal::CaptureStderr();
    {
        auto window = newWindow();
        EXPECT_TRUE(window->scriptEditor()->toPlainText().isEmpty());
        run(*window, "");
    }
    // An empty editor has nothing to keep: no folder, and no complaint.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(QDir("script").exists());
}

TEST_F(KurvoTest, AutosaveCreatesTheMissingFolderForTypedText)
{
    {
        auto window = newWindow();
        window->scriptEditor()->setPlainText("iterate 3");
    }
    EXPECT_EQ(readFile(ScriptFile::autosavePath()), QByteArray("iterate 3"));
}

TEST_F(KurvoTest, LoadAsksForAScriptAndReplacesTheText)
{
    QFile file("sine.ms");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("expr = sin(x)\n");
    file.close();

    auto window = newWindow();
    window->scriptEditor()->setPlainText("old");
    prompt->answers.push_back(QDir::current().filePath("sine.ms"));
    QTest::mouseClick(window->findChild<QPushButton*>("openPB"), Qt::LeftButton);
    ASSERT_EQ(prompt->calls.size(), 1u);
    EXPECT_EQ(prompt->calls[0].kind, "openFileName");
    EXPECT_EQ(prompt->calls[0].title, "Load script");
    EXPECT_EQ(prompt->calls[0].dir, QCoreApplication::applicationDirPath() + "/script");
    EXPECT_EQ(prompt->calls[0].choices, QStringList{"Math script (*.ms)"});
    EXPECT_EQ(window->scriptEditor()->toPlainText(), "expr = sin(x)\n");

    // Cancelled: nothing changes.
    window->scriptEditor()->setPlainText("kept");
    window->scriptLoad();
    EXPECT_EQ(window->scriptEditor()->toPlainText(), "kept");
}

TEST_F(KurvoTest, LoadThatFailsKeepsTheTextAndSaysWhy)
{
    QDir().mkdir("folder.ms");
    auto window = newWindow();
    window->scriptEditor()->setPlainText("typed, not saved");
    // Missing, a folder, and a file that opens but fails as it is read.
    const QStringList paths{QDir::current().filePath("missing.ms"), QDir::current().filePath("folder.ms"),
                            "/proc/self/mem"};
    for (const QString& path : paths) {
        prompt->calls.clear();
        prompt->answers.push_back(path);
        window->scriptLoad();
        EXPECT_EQ(window->scriptEditor()->toPlainText(), "typed, not saved") << path.toStdString();
        ASSERT_EQ(prompt->calls.size(), 2u) << path.toStdString();
        EXPECT_EQ(prompt->calls[1].kind, "warning");
        EXPECT_EQ(prompt->calls[1].title, "LOAD ERROR");
        EXPECT_TRUE(prompt->calls[1].label.startsWith(path + ": ")) << prompt->calls[1].label.toStdString();
        EXPECT_GT(prompt->calls[1].label.size(), path.size() + 2);
    }
    EXPECT_TRUE(prompt->calls.back().label.endsWith("Input/output error")) << prompt->calls.back().label.toStdString();
}

TEST_F(KurvoTest, SaveAsksForAFileAndWritesTheText)
{
    auto window = newWindow();
    window->scriptEditor()->setPlainText("iterate 7\nexpr = x");
    prompt->answers.push_back(QDir::current().filePath("out.ms"));
    QTest::mouseClick(window->findChild<QPushButton*>("savePB"), Qt::LeftButton);
    ASSERT_EQ(prompt->calls.size(), 1u);
    EXPECT_EQ(prompt->calls[0].kind, "saveFileName");
    EXPECT_EQ(prompt->calls[0].title, "Save script");
    EXPECT_EQ(prompt->calls[0].dir, QCoreApplication::applicationDirPath() + "/script");
    EXPECT_EQ(prompt->calls[0].choices, QStringList{"Math script (*.ms)"});
    EXPECT_EQ(readFile("out.ms"), QByteArray("iterate 7\nexpr = x"));

    // Cancelled: the file stays as it was.
    window->scriptEditor()->setPlainText("other");
    window->scriptSave();
    EXPECT_EQ(readFile("out.ms"), QByteArray("iterate 7\nexpr = x"));
}

TEST_F(KurvoTest, SaveThatFailsSaysWhyAndKeepsTheText)
{
    auto window = newWindow();
    window->scriptEditor()->setPlainText("iterate 7\nexpr = x");
    const QStringList paths{"/dev/full", QDir::current().filePath("no-such-folder/out.ms")};
    for (const QString& path : paths) {
        prompt->calls.clear();
        prompt->answers.push_back(path);
        window->scriptSave();
        ASSERT_EQ(prompt->calls.size(), 2u) << path.toStdString();
        EXPECT_EQ(prompt->calls[1].kind, "warning");
        EXPECT_EQ(prompt->calls[1].title, "SAVE ERROR");
        EXPECT_TRUE(prompt->calls[1].label.startsWith(path + ": ")) << prompt->calls[1].label.toStdString();
        EXPECT_EQ(window->scriptEditor()->toPlainText(), "iterate 7\nexpr = x");
    }
    EXPECT_TRUE(prompt->calls[1].label.contains("No such file or directory")) << prompt->calls[1].label.toStdString();
}

TEST_F(KurvoTest, FailedAutosaveAtExitSaysSoOnStandardError)
{
    // A file where the script folder should be: neither the folder nor the file can be made.
    QFile blocker("script");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    testing::internal::CaptureStderr();
    newWindow()->scriptEditor()->setPlainText("iterate 3");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("Kurvo: Can't keep the script in ./script/_latestScribo.ms: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST_F(KurvoTest, CommandLineFilesOpenInOrderScriptsInTheEditor)
{
    char program[] = "Kurvo";
    char first[] = "first.csv";
    char second[] = "zweite-\xc3\xbc.dat";
    char* argv[] = {program, first, second, nullptr};
    EXPECT_EQ(commandLineFiles(3, argv), (QStringList{"first.csv", QString::fromUtf8("zweite-ü.dat")}));
    EXPECT_TRUE(commandLineFiles(1, argv).isEmpty());

    QFile script("sine.MS");
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("iterate 5\nexpr = sin(x)\n");
    script.close();
    auto window = newWindow();
    std::vector<std::pair<vxKurvo*, QString>> loaded;
    // A script that cannot be read is no data file either: it only says why.
    openFiles(*window, {"first.csv", "sine.MS", "missing.ms", "last.ms.txt"},
              [&](vxKurvo& plot, const QString& path) { loaded.emplace_back(&plot, path); });
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].first, window->plotWidget());
    EXPECT_EQ(loaded[0].second, "first.csv");
    EXPECT_EQ(loaded[1].second, "last.ms.txt");
    EXPECT_EQ(window->scriptEditor()->toPlainText(), "iterate 5\nexpr = sin(x)\n");
    EXPECT_EQ(tabsOf(*window)->currentIndex(), 1);
    ASSERT_EQ(prompt->calls.size(), 1u);
    EXPECT_EQ(prompt->calls[0].title, "LOAD ERROR");
    EXPECT_TRUE(prompt->calls[0].label.startsWith("missing.ms: ")) << prompt->calls[0].label.toStdString();
}

// Names are the file system's bytes: one that is no UTF-8 still names its file.
TEST_F(KurvoTest, CommandLineNamesThatAreNoUtf8OpenTheirFiles)
{
    const InstalledFileNameCodec codec;
    char program[] = "Kurvo";
    char name[] = "data\xff.csv";
    std::FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("0;1\n", file);
    std::fclose(file);
    char* argv[] = {program, name, nullptr};
    const QStringList paths = commandLineFiles(2, argv);
    ASSERT_EQ(paths.size(), 1);
    EXPECT_EQ(QFile::encodeName(paths[0]), QByteArray(name));

    auto window = newWindow();
    QByteArray loaded;
    openFiles(*window, paths, [&](vxKurvo&, const QString& path) { loaded = readFile(path); });
    EXPECT_EQ(loaded, "0;1\n");
    EXPECT_TRUE(QFile::remove(paths[0]));
}

TEST_F(KurvoTest, PlotLogLinesAppearInTheLog)
{
    auto window = newWindow();
    makePlotLog(*window);
    const QString text = logOf(*window)->toPlainText();
    EXPECT_EQ(text.split('\n').size(), 2);
    EXPECT_TRUE(text.startsWith("Sx = 1.000000, Sy = 2.000000")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("Dx = 4.000000, Dy = 6.000000")) << text.toStdString();
    EXPECT_EQ(logOf(*window)->textCursor().position(), logOf(*window)->document()->characterCount() - 1);
}

TEST_F(KurvoTest, LogStaysAtTheLeftEdgeAndTheBottomAfterAWideLine)
{
    auto window = newWindow();
    window->show();
    tabsOf(*window)->setCurrentIndex(2);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    // A missing file's long path makes a line far wider than the view; many of them make
    // the log taller than the view too.
    for (int i = 0; i < 60; ++i)
        window->plotWidget()->loadRawData(QString("/no/such/folder/%1/").arg(i) + QString(400, 'w'));
    QTextEdit* log = logOf(*window);
    ASSERT_GT(log->horizontalScrollBar()->maximum(), 0);
    makePlotLog(*window);

    ASSERT_GT(log->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(log->horizontalScrollBar()->value(), log->horizontalScrollBar()->minimum());
    EXPECT_EQ(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    EXPECT_TRUE(log->toPlainText().endsWith("Dx = 4.000000, Dy = 6.000000"));
}

TEST_F(KurvoTest, NewOpensAWindowThatReceivesTheLogLines)
{
    writeAutosave("iterate 42");
    auto first = newWindow();
    first->scriptEditor()->setPlainText("changed, not saved yet");
    first->plotWidget()->findChild<QToolButton*>("showMenuTB")->click();
    QTest::mouseClick(first->plotWidget()->findChild<QToolButton*>("plotNewTB"), Qt::LeftButton);

    std::unique_ptr<Kurvo> second(Kurvo::currentWindow());
    ASSERT_NE(second.get(), first.get());
    ASSERT_NE(second.get(), nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->parentWidget(), nullptr);
    EXPECT_EQ(second->scriptEditor()->toPlainText(), "iterate 42");

    // Lines of either plot widget go to the newest window.
    makePlotLog(*first);
    makePlotLog(*second);
    EXPECT_TRUE(logOf(*first)->toPlainText().isEmpty());
    EXPECT_EQ(logOf(*second)->toPlainText().count("Sx = "), 2);

    // Once the newest window is gone, the lines go to the one that is left.
    second.reset();
    EXPECT_EQ(Kurvo::currentWindow(), first.get());
    makePlotLog(*first);
    EXPECT_EQ(logOf(*first)->toPlainText().count("Sx = "), 1);
}

// Every visible label, check box, spin box and button below the parent is as wide as its text.
void expectTextsWhole(QWidget* parent, const QString& where)
{
    ASSERT_NE(parent, nullptr) << where.toStdString();
    for (QWidget* widget : parent->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        // The style's minimum width of a push button is no part of its text.
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_GT(button->width(), button->fontMetrics().horizontalAdvance(button->text()))
                << where.toStdString() << ": " << widget->objectName().toStdString();
        } else if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)
                   || qobject_cast<QAbstractSpinBox*>(widget)) {
            EXPECT_GE(widget->width(), widget->sizeHint().width())
                << where.toStdString() << ": " << widget->objectName().toStdString();
        }
    }
}

// At the window's initial size, with the tool panel, the statistics and the peak detector shown,
// no text of the panel is cut short; a picture of each tab lands in the build folder.
TEST_F(KurvoTest, ToolPanelFitsTheInitialWindow)
{
    const std::unique_ptr<Kurvo> window = newWindow();
    window->show();
    // Stat. and Peak are built with the tool panel that the first button shows.
    for (const char* name : {"showMenuTB", "plotStatTB", "peakTB"}) {
        const QList<QToolButton*> buttons = window->findChildren<QToolButton*>();
        const auto found = std::find_if(buttons.begin(), buttons.end(),
                                        [&](QToolButton* b) { return b->objectName() == QLatin1String(name); });
        ASSERT_NE(found, buttons.end()) << name;
        (*found)->click();
    }
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("plotTab"));
    ASSERT_NE(tabs, nullptr);
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        window->grab().save(QCoreApplication::applicationDirPath() + QStringLiteral("/window-tool-panel-%1.png").arg(page));
        expectTextsWhole(tabs->widget(page), tabs->tabText(page));
    }
    expectTextsWhole(window->findChild<QWidget*>(QStringLiteral("peakGB")), QStringLiteral("Peak Detector"));
}

} // namespace

namespace {

// The Open dialog starts on a filter that shows every file the window opens.
TEST_F(KurvoTest, OpenStartsOnEveryFileTheWindowReads)
{
    auto window = newWindow();
    window->findChild<QAction*>("openAction")->trigger();
    ASSERT_EQ(prompt->calls.size(), 1u);
    const ScriptedPrompt::Call& open = prompt->calls[0];
    EXPECT_TRUE(open.label.startsWith("All data files (*.kurvo *.ms *.adf ")) << open.label.toStdString();
    EXPECT_TRUE(open.label.contains(" *.csv ")) << open.label.toStdString();
    EXPECT_EQ(open.choices.front(), open.label);
    EXPECT_EQ(open.choices[1], "Kurvo projects and scripts (*.kurvo *.ms)");
    EXPECT_EQ(open.choices.back(), "All files (*)");
    EXPECT_FALSE(open.choices.join(";;").contains("*.raw"));
}

} // namespace

namespace {

// At 1024 pixels wide every control of every tab shows without scrolling, however long the
// selected curve's name: the label gives way and tells the whole name in its tool tip.
TEST_F(KurvoTest, ToolPanelShowsEveryControlAt1024Pixels)
{
    const std::unique_ptr<Kurvo> window = newWindow();
    window->resize(1024, 768);
    window->show();
    window->findChild<QToolButton*>(QStringLiteral("showMenuTB"))->click();
    auto* label = window->findChild<QLabel*>(QStringLiteral("selectedCurveLabel"));
    ASSERT_NE(label, nullptr);
    // As a click on the legend entry of a curve of that name sets it.
    const QString name(120, 'n');
    label->setText("Selected curve: " + name);
    QCoreApplication::processEvents();
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label, &help);
    EXPECT_EQ(QToolTip::text(), "Name of the SELECTED curve\nSelected curve: " + name);
    EXPECT_LT(label->width(), label->fontMetrics().horizontalAdvance(label->text()));

    auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("plotTabScroll"));
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("plotTab"));
    ASSERT_NE(scroll, nullptr);
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << page;
        const QRect shown = scroll->viewport()->rect();
        for (QWidget* widget : tabs->widget(page)->findChildren<QWidget*>()) {
            if (!widget->isVisible() || widget->parentWidget() != tabs->widget(page))
                continue;
            const QRect at(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
            EXPECT_TRUE(shown.contains(at)) << widget->objectName().toStdString();
        }
    }
}

} // namespace

namespace {

// At the initial window size the peak lists show every entry whole, however wide its values.
TEST_F(KurvoTest, PeakListsShowWholeEntries)
{
    const std::unique_ptr<Kurvo> window = newWindow();
    window->show();
    for (const char* name : {"showMenuTB", "plotStatTB", "peakTB"})
        window->findChild<QToolButton*>(QLatin1String(name))->click();
    for (const char* script : {"iterate 40\nexpr = 5+sin(x)", "iterate 400\nstep 1000\nexpr = 123456789*(2+sin(x/3000))"}) {
        run(*window, script);
        auto* pages = window->findChild<QTabWidget*>(QStringLiteral("foundPeaks"));
        ASSERT_NE(pages, nullptr);
        for (const char* name : {"positivePeaks", "negativePeaks"}) {
            auto* list = window->findChild<QListWidget*>(QLatin1String(name));
            pages->setCurrentWidget(list->parentWidget());
            QCoreApplication::processEvents();
            ASSERT_NE(list, nullptr);
            ASSERT_GT(list->count(), 0) << name;
            for (int row = 0; row < list->count(); ++row) {
                const QString entry = list->item(row)->text();
                EXPECT_GE(list->viewport()->width(), list->fontMetrics().horizontalAdvance(entry))
                    << name << ": " << entry.toStdString();
            }
        }
    }
}

} // namespace

namespace {

// Shrunk as far as it goes, with every panel shown, the window still shows the plot with its
// axes and legend, the tool panel and the peak detector whole.
TEST_F(KurvoTest, SmallestWindowCutsNothing)
{
    const std::unique_ptr<Kurvo> window = newWindow();
    window->show();
    run(*window, "iterate 40\nexpr = 5+sin(x)\nname \"a curve with a long name\"");
    for (const char* name : {"showMenuTB", "plotStatTB", "peakTB"})
        window->findChild<QToolButton*>(QLatin1String(name))->click();
    QCoreApplication::processEvents();
    window->resize(1, 1);
    QCoreApplication::processEvents();

    const QRect inside = window->rect();
    for (const char* name : {"qwtPlot", "plotTabScroll", "peakGB", "statisticsWD", "showMenuTB"}) {
        auto* widget = window->findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        ASSERT_TRUE(widget->isVisible()) << name;
        const QRect at(widget->mapTo(window.get(), QPoint(0, 0)), widget->size());
        EXPECT_TRUE(inside.contains(at)) << name;
        EXPECT_GE(widget->width(), widget->minimumSizeHint().width()) << name;
        EXPECT_GE(widget->height(), widget->minimumSizeHint().height()) << name;
    }
    auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("plotTabScroll"));
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
}

} // namespace
