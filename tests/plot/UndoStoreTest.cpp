#include "LogCollector.h"
#include "PlotServerFixture.h"
#include "TemporaryCacheHome.h"
#include "UndoStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTest>
#include <QToolButton>

#include <qwt_plot_curve.h>
#include <qwt_symbol.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {

// The number of a process that has ended: a child that exits at once, reaped.
pid_t endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

int modeOf(const QString& path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

QString lastLogLine()
{
    const QStringList& lines = LogCollector::lines();
    return lines.isEmpty() ? QString() : lines.back();
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UndoStoreTest : public TemporaryCacheHome, public PlotServerFixture<>
{
protected:
    UndoStoreTest()
    {
        server.setLogCallback(LogCollector::collect);
        LogCollector::lines().clear();
    }

    static void add(PlotServer& target, const std::vector<double>& y)
    {
        std::vector<double> x(y.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = double(i) * 0.5;
        target.createPlot(-1, "f(y)", unsigned(y.size()), x.data(), y.data(), false, 0);
    }
    void add(const std::vector<double>& y) { add(server, y); }

    static std::vector<QPointF> points(const PlotServer& source, int id)
    {
        std::vector<QPointF> v;
        const QwtPlotCurve* c = source.record(id)->curve;
        for (size_t i = 0; i < c->dataSize(); ++i)
            v.push_back(c->sample(int(i)));
        return v;
    }
    std::vector<QPointF> points(int id) const { return points(server, id); }

    // The folder of every widget of this host.
    QString undoRoot() const { return cacheHome.path() + "/kurvo/undo/" + QSysInfo::machineHostName(); }
};

// Curves of unequal length come back with exactly their own samples and statistics.
TEST_F(UndoStoreTest, UndoAfterTheTransformRestoresEveryCurve)
{
    add({1, -2, 3});
    add({5, 4, 3, 2, 1});
    const auto first = points(0);
    const auto second = points(1);
    const double sigma = server.record(1)->sigma;
    server.applyDFT();
    ASSERT_NE(points(0), first);

    EXPECT_EQ(server.undo(), -1);
    EXPECT_EQ(points(0), first);
    EXPECT_EQ(points(1), second);
    EXPECT_EQ(server.record(1)->sigma, sigma);
    EXPECT_EQ(server.record(0)->samples, 3u);
}

TEST_F(UndoStoreTest, SnapshotsComeBackNewestFirst)
{
    add({-1, 0, 9});
    const auto original = points(0);
    server.applyAbs();
    const auto lifted = points(0);
    server.applyDB();
    const QString second = server.undoFiles().filePath(2);
    EXPECT_TRUE(second.endsWith("/_0002.bin"));
    EXPECT_TRUE(QFileInfo::exists(second));

    EXPECT_EQ(server.undo(), 0);
    EXPECT_EQ(points(0), lifted);
    EXPECT_EQ(server.undo(), -1);
    EXPECT_EQ(points(0), original);
    EXPECT_EQ(server.undo(), 0);
    EXPECT_EQ(points(0), original);
    EXPECT_TRUE(LogCollector::lines().filter("temporary file").isEmpty());
}

// A chosen number is read back without moving the counter, also when it is missing.
TEST_F(UndoStoreTest, ChosenSnapshotLeavesTheCounterAlone)
{
    add({1, 2});
    server.applyAbs();
    server.applyAbs();
    server.applyAbs();
    EXPECT_EQ(server.undo(1), 2);
    EXPECT_EQ(points(0)[1].y(), 2.0);
    EXPECT_EQ(server.undoFiles().counter(), 3);
    EXPECT_EQ(server.undo(7), 2);
    EXPECT_EQ(LogCollector::lines().back(), "Kurvo: Can't find temporary file " + server.undoFiles().filePath(7));
}

// A damaged snapshot changes nothing; the failure is logged and the counter stays down.
TEST_F(UndoStoreTest, TruncatedSnapshotChangesNothing)
{
    add({1, 2, 3, 4});
    server.applyAbs();
    const auto lifted = points(0);
    const QString path = server.undoFiles().filePath(1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() - 5);
    file.close();

    EXPECT_EQ(server.undo(), -1);
    EXPECT_EQ(points(0), lifted);
    EXPECT_EQ(LogCollector::lines().back(), "Kurvo: Fail undo operations for temporary file " + path);
    EXPECT_EQ(server.undoFiles().counter(), 0);
}

// Two windows keep their snapshots apart, and each removes its own when it goes.
TEST_F(UndoStoreTest, TwoWidgetsKeepTheirSnapshotsApart)
{
    QString otherFile;
    {
        PlotServer other;
        other.setPrompt(std::make_unique<ScriptedPrompt>());
        other.begin("Kurvo", "X", "Y", "");
        add(other, {10, 20});
        add({1, 2, 3});
        const auto mine = points(0);
        const auto theirs = points(other, 0);
        server.applyAbs();
        other.applyAbs();
        otherFile = other.undoFiles().filePath(1);
        EXPECT_NE(QFileInfo(otherFile).absolutePath(), QFileInfo(server.undoFiles().filePath(1)).absolutePath());

        other.undo();
        server.undo();
        EXPECT_EQ(points(0), mine);
        EXPECT_EQ(points(other, 0), theirs);
        other.applyAbs();
        EXPECT_TRUE(QFileInfo::exists(otherFile));
    }
    EXPECT_FALSE(QFileInfo::exists(otherFile));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(otherFile).absolutePath()));
}

TEST_F(UndoStoreTest, SnapshotsStayInAPrivateFolderBelowTheCache)
{
    add({1, -2});
    server.applyAbs();
    const QString path = server.undoFiles().filePath(1);
    EXPECT_TRUE(path.startsWith(undoRoot() + "/")) << path.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(modeOf(undoRoot()), 0700);
    EXPECT_EQ(modeOf(QFileInfo(path).absolutePath()), 0700);
    EXPECT_EQ(modeOf(path), 0600);
}

// A link in a snapshot's place, to a file or to nothing, makes that snapshot fail: the file
// it names is neither written nor made, and Undo never reads it.
TEST_F(UndoStoreTest, ALinkPlantedInAdvanceIsNeverWrittenThrough)
{
    add({-1, 0, 9});
    const auto original = points(0);
    server.applyAbs();
    const QString kept = cacheHome.filePath("kept.txt");
    const QString absent = cacheHome.filePath("absent.txt");
    QFile keep(kept);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly) && keep.write("keep") == 4);
    keep.close();
    ASSERT_TRUE(QFile::link(kept, server.undoFiles().filePath(2)));
    ASSERT_TRUE(QFile::link(absent, server.undoFiles().filePath(3)));

    server.applyDB();
    server.applyDB();
    EXPECT_EQ(contents(kept), "keep");
    EXPECT_FALSE(QFileInfo::exists(absent));
    EXPECT_EQ(LogCollector::lines().filter("Kurvo: Can't write undo file").size(), 2);
    const auto twice = points(0);

    server.undo();
    EXPECT_TRUE(lastLogLine().startsWith("Kurvo: Can't undo operation 3: its undo file could not be written ("));
    server.undo();
    EXPECT_EQ(points(0), twice);
    server.undo();
    EXPECT_EQ(points(0), original);
    EXPECT_EQ(contents(kept), "keep");
}

// Without a folder for the snapshot the operation is done all the same; undoing it says why
// it cannot be, and counts it undone so that Undo is not stuck there.
TEST_F(UndoStoreTest, AnOperationWithoutSnapshotIsDoneButCannotBeUndone)
{
    const QString blocked = cacheHome.filePath("blocked");
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CACHE_HOME", QFile::encodeName(blocked));
    PlotServer cacheless;
    cacheless.setPrompt(std::make_unique<ScriptedPrompt>());
    cacheless.begin("Kurvo", "X", "Y", "");
    cacheless.setLogCallback(LogCollector::collect);
    add(cacheless, {-1, 0, 9});

    cacheless.applyAbs();
    const auto lifted = points(cacheless, 0);
    EXPECT_EQ(lifted[0].y(), 0.0);
    const QString reason = "cannot make the folder " + blocked + "/kurvo/undo/" + QSysInfo::machineHostName();
    EXPECT_EQ(lastLogLine(), "Kurvo: Can't write undo file _0001.bin: " + reason);

    EXPECT_EQ(cacheless.undo(), -1);
    EXPECT_EQ(lastLogLine(), "Kurvo: Can't undo operation 1: its undo file could not be written (" + reason + ")");
    EXPECT_EQ(points(cacheless, 0), lifted);
    EXPECT_EQ(cacheless.undoFiles().counter(), 0);
}

TEST_F(UndoStoreTest, UndoButtonIsEnabledOnlyWithSomethingToUndo)
{
    auto* button = server.findChild<QToolButton*>("undoTB");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled());
    add({-1, 2});
    server.applyAbs();
    EXPECT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(server.undoFiles().counter(), 0);
    EXPECT_EQ(points(0)[0].y(), -1.0);
    EXPECT_FALSE(button->isEnabled());
}

// An erased curve comes back by Undo with its name, look and samples; the tool tip says so.
TEST_F(UndoStoreTest, ErasureIsUndoneWithTheCurveAsItWas)
{
    add({3, 1, 4});
    add({1, 5, 9, 2});
    QwtPlotCurve* curve = server.record(1)->curve;
    curve->setTitle("kept");
    curve->setPen(QPen(QColor(10, 20, 30), 4, Qt::DashLine));
    curve->setStyle(QwtPlotCurve::Sticks);
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, false);
    curve->setSymbol(new QwtSymbol(QwtSymbol::Diamond, QBrush(Qt::red), QPen(Qt::blue), QSize(7, 7)));
    const auto samples = points(1);
    server.selectCurve(1);
    server.erase();
    ASSERT_EQ(server.record(1), nullptr);
    auto* button = server.findChild<QToolButton*>("undoTB");
    EXPECT_EQ(button->toolTip(), "Perform an undo: bring back the erased curve kept");

    EXPECT_EQ(button->shortcut(), QKeySequence("Ctrl+Z"));
    QTest::mouseClick(button, Qt::LeftButton);
    // Under the next identifier: the erased one may have passed to another curve meanwhile.
    ASSERT_NE(server.record(2), nullptr);
    const QwtPlotCurve* back = server.record(2)->curve;
    EXPECT_EQ(back->title().text(), "kept");
    EXPECT_EQ(back->pen(), QPen(QColor(10, 20, 30), 4, Qt::DashLine));
    EXPECT_EQ(back->style(), QwtPlotCurve::Sticks);
    EXPECT_FALSE(back->testRenderHint(QwtPlotItem::RenderAntialiased));
    ASSERT_NE(back->symbol(), nullptr);
    EXPECT_EQ(back->symbol()->style(), QwtSymbol::Diamond);
    EXPECT_EQ(back->symbol()->brush().color(), QColor(Qt::red));
    EXPECT_EQ(back->symbol()->size(), QSize(7, 7));
    EXPECT_EQ(points(2), samples);
    EXPECT_EQ(server.record(2)->samples, 4u);
    EXPECT_EQ(button->toolTip(), "Perform an undo");
    EXPECT_FALSE(button->isEnabled());
}

// Folders left by runs that ended without removing them go when the next widget starts;
// those of running processes, of other hosts, and anything else stay.
TEST_F(UndoStoreTest, FoldersOfEndedRunsAreRemovedAtStart)
{
    const pid_t ended = endedProcess();
    const QString otherHost = cacheHome.path() + "/kurvo/undo/not-" + QSysInfo::machineHostName();
    struct Entry {
        QString folder;
        bool stays;
    };
    const std::vector<Entry> entries = {
        {undoRoot() + QString("/%1-1").arg(ended), false},
        {undoRoot() + "/0-2", false},
        {undoRoot() + QString("/%1-999").arg(::getpid()), true},
        {undoRoot() + QString("/%1-1").arg(::getppid()), true},
        {undoRoot() + "/notes", true},
        {otherHost + QString("/%1-1").arg(ended), true},
    };
    for (const Entry& entry : entries) {
        ASSERT_TRUE(QDir().mkpath(entry.folder));
        QFile snapshot(entry.folder + "/_0001.bin");
        ASSERT_TRUE(snapshot.open(QIODevice::WriteOnly));
    }
    const QString outside = cacheHome.filePath("outside");
    ASSERT_TRUE(QDir().mkpath(outside));
    QFile(outside + "/_0001.bin").open(QIODevice::WriteOnly);
    const QString linked = undoRoot() + QString("/%1-2").arg(ended);
    ASSERT_TRUE(QFile::link(outside, linked));

    PlotServer started;
    for (const Entry& entry : entries)
        EXPECT_EQ(QFileInfo::exists(entry.folder + "/_0001.bin"), entry.stays) << entry.folder.toStdString();
    EXPECT_TRUE(QFileInfo(linked).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside + "/_0001.bin"));
}

} // namespace
