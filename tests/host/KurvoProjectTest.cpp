#include "CodeEditor.h"
#include "Kurvo.h"
#include "ProjectSession.h"
#include "QStringPrinter.h"
#include "RecentFiles.h"
#include "ScriptedPrompt.h"
#include "Startup.h"
#include "vxKurvo.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kExamples = QStringLiteral(KURVO_EXAMPLES_DIR "/");

// Every test works in a fresh folder, where the window keeps its autosave file and the
// settings keep the recent files.
class KurvoProjectTest : public ::testing::Test
{
protected:
    KurvoProjectTest()
    {
        previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    }
    ~KurvoProjectTest() override { QDir::setCurrent(previousFolder); }

    std::unique_ptr<Kurvo> newWindow()
    {
        auto window = std::make_unique<Kurvo>();
        auto scripted = std::make_unique<ScriptedPrompt>();
        prompt = scripted.get();
        window->setPrompt(std::move(scripted));
        return window;
    }

    static void addCurve(Kurvo& window, const QString& name = QStringLiteral("f(y)"))
    {
        const double x[] = {0, 1, 2};
        const double y[] = {1, 3, 2};
        window.plotWidget()->createPlot(-1, name, 3, x, y, false, 0);
    }

    static void trigger(Kurvo& window, const char* action)
    {
        window.findChild<QAction*>(QLatin1String(action))->trigger();
    }

    // A window whose project is saved as `name`.
    std::unique_ptr<Kurvo> savedWindow(const QString& name)
    {
        auto window = newWindow();
        addCurve(*window);
        window->scriptEditor()->setPlainText(QStringLiteral("iterate 3\nexpr = x\n"));
        prompt->answers = {path(name)};
        trigger(*window, "saveProjectAction");
        return window;
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList recentMenuTexts(Kurvo& window) const
    {
        auto* menu = window.findChild<QMenu*>(QStringLiteral("recentMenu"));
        emit menu->aboutToShow();
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->toolTip();
        return texts;
    }

    QTemporaryDir folder;
    QString previousFolder;
    ScriptedPrompt* prompt = nullptr;
};

TEST_F(KurvoProjectTest, TheTitleNamesTheProjectAndMarksItWhileChanged)
{
    auto window = savedWindow(QStringLiteral("work"));
    EXPECT_TRUE(QFile::exists(path("work.kurvo")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kurvo - work.kurvo"));

    window->plotWidget()->setTitle(QStringLiteral("changed"));
    QTRY_COMPARE(window->windowTitle(), QStringLiteral("Kurvo - work.kurvo*"));
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(prompt->count(QStringLiteral("saveFileName")), 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kurvo - work.kurvo"));

    window->scriptEditor()->appendPlainText(QStringLiteral("title \"t\""));
    QTRY_COMPARE(window->windowTitle(), QStringLiteral("Kurvo - work.kurvo*"));
}

struct CloseCase {
    const char* name;
    QVariant answer;
    bool closes;
    bool saves;
};

void PrintTo(const CloseCase& row, std::ostream* out) { *out << row.name; }

class CloseQuestionTest : public KurvoProjectTest, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(CloseQuestionTest, AChangedProjectAsksOnClosing)
{
    auto window = savedWindow(QStringLiteral("work.kurvo"));
    const QByteArray saved = readFile(path("work.kurvo"));
    addCurve(*window, QStringLiteral("more"));
    prompt->answers = {GetParam().answer};
    EXPECT_EQ(window->close(), GetParam().closes);
    ASSERT_EQ(prompt->count(QStringLiteral("item")), 1);
    EXPECT_EQ(prompt->calls.back().title, QStringLiteral("SAVE PROJECT"));
    EXPECT_EQ(prompt->calls.back().label, QStringLiteral("work.kurvo has changes that are not saved."));
    EXPECT_EQ(readFile(path("work.kurvo")) != saved, GetParam().saves);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQuestionTest,
                         ::testing::Values(CloseCase{"Cancelled", QVariant(), false, false},
                                           CloseCase{"Discarded", QStringLiteral("Discard the changes"), true, false},
                                           CloseCase{"Saved", QStringLiteral("Save"), true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KurvoProjectTest, AWindowWithoutAProjectOrWithoutChangesClosesWithoutAQuestion)
{
    auto plain = newWindow();
    addCurve(*plain);
    EXPECT_TRUE(plain->close());
    auto saved = savedWindow(QStringLiteral("kept.kurvo"));
    EXPECT_TRUE(saved->close());
    EXPECT_EQ(prompt->count(QStringLiteral("item")), 0);
}

TEST_F(KurvoProjectTest, AProjectOnTheCommandLineOpensWithItsScript)
{
    savedWindow(QStringLiteral("work.kurvo"));
    auto window = newWindow();
    openFiles(*window, {path("work.kurvo")});
    EXPECT_EQ(window->plotWidget()->curves(), 1);
    EXPECT_EQ(window->scriptEditor()->toPlainText(), QStringLiteral("iterate 3\nexpr = x\n"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kurvo - work.kurvo"));
    EXPECT_FALSE(window->project().isChanged());
}

// Opening a project over curves that are in none asks first; cancelling keeps them.
TEST_F(KurvoProjectTest, OpeningOverUnsavedCurvesAsksFirst)
{
    savedWindow(QStringLiteral("work.kurvo"));
    auto window = newWindow();
    addCurve(*window, QStringLiteral("mine"));
    addCurve(*window, QStringLiteral("mine too"));
    EXPECT_FALSE(window->openProject(path("work.kurvo")));
    EXPECT_EQ(prompt->calls.back().label, QStringLiteral("The plot has changes that are not saved."));
    EXPECT_EQ(window->plotWidget()->curves(), 2);
    prompt->answers = {QStringLiteral("Discard the changes")};
    EXPECT_TRUE(window->openProject(path("work.kurvo")));
    EXPECT_EQ(window->plotWidget()->curves(), 1);
}

TEST_F(KurvoProjectTest, AFileThatIsNoProjectSaysWhyAndChangesNothing)
{
    QFile other(path("notes.kurvo"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("x,y\n1,2\n");
    other.close();
    auto window = newWindow();
    addCurve(*window);
    prompt->answers = {QStringLiteral("Discard the changes")};
    EXPECT_FALSE(window->openProject(path("notes.kurvo")));
    EXPECT_EQ(prompt->calls.back().title, QStringLiteral("OPEN ERROR"));
    EXPECT_EQ(prompt->calls.back().label,
              QStringLiteral("Kurvo: %1 is not a Kurvo project (Not a zip archive)").arg(path("notes.kurvo")));
    EXPECT_EQ(window->plotWidget()->curves(), 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kurvo - "));
}

TEST_F(KurvoProjectTest, AProjectDroppedOnThePlotOpens)
{
    savedWindow(QStringLiteral("work.kurvo"));
    auto window = newWindow();
    QWidget* server = window->plotWidget()->findChild<QWidget*>(QStringLiteral("PlotServer"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path("work.kurvo"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(server, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(server, &drop);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kurvo - work.kurvo"));
    EXPECT_EQ(window->plotWidget()->curves(), 1);
}

TEST_F(KurvoProjectTest, RecentFilesListProjectsScriptsAndDataNewestFirstAndOpenThem)
{
    auto window = savedWindow(QStringLiteral("work.kurvo"));
    openFiles(*window, {kExamples + "sine.ms"});
    openFiles(*window, {kExamples + "damped-oscillation.csv"},
              [](vxKurvo& plot, const QString& file) { plot.addCurve(-1, file, QStringLiteral("data"), false); });
    const QStringList expected = {QDir::toNativeSeparators(kExamples + "damped-oscillation.csv"),
                                  QDir::toNativeSeparators(kExamples + "sine.ms"),
                                  QDir::toNativeSeparators(path("work.kurvo"))};
    EXPECT_EQ(recentMenuTexts(*window), expected);

    auto other = newWindow();
    EXPECT_EQ(recentMenuTexts(*other), expected);
    other->findChild<QMenu*>(QStringLiteral("recentMenu"))->actions().back()->trigger();
    EXPECT_EQ(other->windowTitle(), QStringLiteral("Kurvo - work.kurvo"));
}

TEST(RecentFilesTest, TheNewestComesFirstOnceAndTenAreKept)
{
    QStringList list;
    for (int i = 0; i < 12; ++i)
        list = RecentFiles::with(list, QString::number(i));
    EXPECT_EQ(list.size(), RecentFiles::kKept);
    EXPECT_EQ(list.front(), QStringLiteral("11"));
    EXPECT_EQ(list.back(), QStringLiteral("2"));
    list = RecentFiles::with(list, QStringLiteral("5"));
    EXPECT_EQ(list.size(), RecentFiles::kKept);
    EXPECT_EQ(list.mid(0, 3), (QStringList{"5", "11", "10"}));
    EXPECT_EQ(list.count(QStringLiteral("5")), 1);
}

} // namespace
