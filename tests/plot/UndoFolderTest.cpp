#include "TemporaryCacheHome.h"
#include "UndoFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <memory>

namespace {

class UndoFolderTest : public TemporaryCacheHome, public ::testing::Test
{
protected:
    QString hostFolder() const { return cacheHome.path() + "/kurvo/undo/" + QSysInfo::machineHostName(); }
};

TEST_F(UndoFolderTest, MadeWhenFirstAskedAndGoneWithTheWidget)
{
    auto folder = std::make_unique<UndoFolder>();
    EXPECT_FALSE(QFileInfo::exists(hostFolder()));
    QString reason;
    const QString own = folder->path(reason);
    EXPECT_TRUE(reason.isEmpty()) << reason.toStdString();
    EXPECT_EQ(QFileInfo(own).absolutePath(), hostFolder());
    EXPECT_EQ(folder->path(reason), own);
    folder.reset();
    EXPECT_FALSE(QFileInfo::exists(own));
    EXPECT_TRUE(QFileInfo(hostFolder()).isDir());
}

// A host folder that is a link could lead the snapshots, and the removal of ended runs, into
// a folder of someone else's choosing.
TEST_F(UndoFolderTest, AHostFolderThatIsALinkIsRefused)
{
    const QString elsewhere = cacheHome.filePath("elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(hostFolder()).absolutePath()));
    ASSERT_TRUE(QFile::link(elsewhere, hostFolder()));

    UndoFolder folder;
    QString reason;
    EXPECT_TRUE(folder.path(reason).isEmpty());
    EXPECT_EQ(reason, hostFolder() + " is not a folder of the user's own");
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

// As the base directory rules say, a relative cache folder is ignored.
TEST_F(UndoFolderTest, ARelativeCacheFolderIsIgnored)
{
    qputenv("XDG_CACHE_HOME", "relative/cache");
    EXPECT_EQ(UndoFolder::root(), QDir::homePath() + "/.cache/kurvo/undo/" + QSysInfo::machineHostName());
}

} // namespace
