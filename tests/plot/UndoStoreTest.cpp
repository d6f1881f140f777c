#include "LogCollector.h"
#include "PlotServerFixture.h"
#include "UndoStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <qwt_plot_curve.h>

#include <vector>

namespace {

class UndoStoreTest : public PlotServerFixture<>
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

} // namespace
