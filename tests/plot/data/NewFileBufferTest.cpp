#include "NewFileBuffer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class NewFileBufferTest : public ::testing::Test
{
protected:
    std::string path(const char* name) const { return QFile::encodeName(dir.filePath(name)).toStdString(); }

    QByteArray contents(const char* name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

    QTemporaryDir dir;
};

TEST_F(NewFileBufferTest, MakesAFileOnlyItsOwnerCanRead)
{
    NewFileBuffer file(path("new.bin"));
    ASSERT_TRUE(file.isOpen());
    std::ostream out(&file);
    out << 'K' << std::string("und", 3);
    EXPECT_TRUE(out);
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.close());
    EXPECT_EQ(contents("new.bin"), "Kund");
    struct stat info;
    ASSERT_EQ(::stat(path("new.bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Whatever already has the name stays as it was, and so does what a link names; a link to
// nothing does not make its target.
TEST_F(NewFileBufferTest, NothingInTheFilesPlaceIsWrittenThrough)
{
    QFile target(dir.filePath("target.txt"));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly) && target.write("keep") == 4);
    target.close();
    ASSERT_TRUE(QFile::link(dir.filePath("target.txt"), dir.filePath("link.bin")));
    ASSERT_TRUE(QFile::link(dir.filePath("absent.txt"), dir.filePath("dangling.bin")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bin"));

    for (const char* name : {"target.txt", "link.bin", "dangling.bin", "folder.bin"}) {
        NewFileBuffer file(path(name));
        EXPECT_FALSE(file.isOpen()) << name;
        EXPECT_EQ(file.error(), EEXIST) << name;
        std::ostream out(&file);
        out << "overwritten";
        EXPECT_FALSE(out) << name;
        EXPECT_FALSE(file.close()) << name;
    }
    EXPECT_EQ(contents("target.txt"), "keep");
    EXPECT_FALSE(QFile::exists(dir.filePath("absent.txt")));

    NewFileBuffer nowhere(path("missing/new.bin"));
    EXPECT_FALSE(nowhere.isOpen());
    EXPECT_EQ(nowhere.error(), ENOENT);
}

// A file size limit stands in for a disk that fills up: the write that crosses it fails,
// and so does the close.
TEST_F(NewFileBufferTest, AWriteThatFailsFailsTheStreamAndTheClose)
{
    struct rlimit before;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    NewFileBuffer file(path("big.bin"));
    std::ostream out(&file);
    out << std::string(4096, 'x');
    const bool streamGood = bool(out);
    const bool closed = file.close();

    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(streamGood);
    EXPECT_FALSE(closed);
    EXPECT_EQ(file.error(), EFBIG);
}

} // namespace
