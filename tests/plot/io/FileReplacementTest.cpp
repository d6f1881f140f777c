#include "FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class FileReplacementTest : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes, mode_t mode = 0644)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        ::chmod(QFile::encodeName(file.fileName()).constData(), mode);
        return file.fileName();
    }

    QByteArray contents(const QString& name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static mode_t permissions(const QString& path)
    {
        struct stat info {};
        ::stat(QFile::encodeName(path).constData(), &info);
        return info.st_mode & 07777;
    }

    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    }

    QTemporaryDir dir;
};

// Through a link, as a user who linked the file meant: the file is replaced, the link stays.
TEST_F(FileReplacementTest, CommitReplacesTheFileWithItsPermissions)
{
    const QString target = write("kept.pdf", "old", 0640);
    ASSERT_TRUE(QFile::link(target, dir.filePath("link.pdf")));
    FileReplacement file(dir.filePath("link.pdf"));
    QString error;
    ASSERT_TRUE(file.create(error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(file.temporaryName()).path(), dir.path());
    EXPECT_EQ(contents("kept.pdf"), "old");
    QFile temporary(file.temporaryName());
    ASSERT_TRUE(temporary.open(QIODevice::WriteOnly));
    temporary.write("new");
    temporary.close();
    ASSERT_TRUE(file.commit(error)) << error.toStdString();
    EXPECT_EQ(contents("kept.pdf"), "new");
    EXPECT_EQ(permissions(target), mode_t(0640));
    EXPECT_TRUE(QFileInfo(dir.filePath("link.pdf")).isSymLink());
    EXPECT_EQ(entries(), (QStringList{"kept.pdf", "link.pdf"}));
}

TEST_F(FileReplacementTest, WithoutCommitTheFileStaysAndNothingIsLeftBeside)
{
    write("kept.pdf", "old");
    {
        FileReplacement file(dir.filePath("kept.pdf"));
        QString error;
        ASSERT_TRUE(file.create(error));
        EXPECT_EQ(entries().size(), 2);
    }
    EXPECT_EQ(contents("kept.pdf"), "old");
    EXPECT_EQ(entries(), QStringList{"kept.pdf"});
}

// A file no one may write is kept even from the administrator, whom the system would let.
TEST_F(FileReplacementTest, TargetsThatAreNotToBeReplacedAreRefused)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pdf"));
    write("readonly.pdf", "old", 0444);
    const struct {
        QString target;
        const char* reason;
    } rows[] = {
        {dir.filePath("folder.pdf"), "it is a folder"},
        {dir.filePath("readonly.pdf"), "it is read-only"},
        {"/dev/null", "it is not a regular file"},
        {dir.filePath("none/new.pdf"), "No such file or directory"},
    };
    for (const auto& row : rows) {
        FileReplacement file(row.target);
        QString error;
        EXPECT_FALSE(file.create(error)) << row.target.toStdString();
        EXPECT_EQ(error, row.reason);
    }
    EXPECT_EQ(contents("readonly.pdf"), "old");
    EXPECT_EQ(entries(), (QStringList{"folder.pdf", "readonly.pdf"}));
}

} // namespace
