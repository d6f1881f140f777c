#include "FileReaders.h"
#include "QStringPrinter.h"
#include "TextProbe.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

class FileReadersTest : public ::testing::Test
{
protected:
    QString write(const std::string& bytes)
    {
        const QString path = dir.filePath("table.txt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
        return path;
    }

    static QString refusal(const QString& path) { return "Kurvo: " + path + " is not a text table"; }

    QTemporaryDir dir;
};

// Only the first bytes are looked at, so a large file of NUL bytes is refused at once; the file
// is sparse and takes no room on the disk.
TEST_F(FileReadersTest, BinaryFileIsRefusedBeforeAnyTableReading)
{
    const QString path = dir.filePath("zeros.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(512LL * 1024 * 1024));
    file.close();
    const ImportedData data = readTextFile(path, "zeros", false);
    EXPECT_TRUE(data.y.empty());
    EXPECT_EQ(data.log, QStringList{refusal(path)});
}

// Rows of "i i" filling exactly the bytes the probe looks at, then `tail`.
std::string rowsThenTail(const std::string& tail)
{
    std::string rows;
    for (int i = 0; rows.size() < std::size_t(TextProbe::sampleSize); ++i)
        rows += std::to_string(i % 10) + ' ' + std::to_string(i % 7) + '\n';
    rows.resize(std::size_t(TextProbe::sampleSize));
    rows.back() = '\n';
    return rows + tail;
}

TEST_F(FileReadersTest, OnlyTheFirstBytesDecide)
{
    const QString beyond = write(rowsThenTail(std::string("\0\n1 2\n", 6)));
    const ImportedData read = readTextFile(beyond, "t", false);
    ASSERT_EQ(read.y.size(), 1u);
    EXPECT_GT(read.x.size(), 10000);
    EXPECT_FALSE(read.log.contains(refusal(beyond)));

    std::string lastByteNul = rowsThenTail("1 2\n");
    lastByteNul[std::size_t(TextProbe::sampleSize) - 1] = '\0';
    const QString within = write(lastByteNul);
    EXPECT_EQ(readTextFile(within, "t", false).log, QStringList{refusal(within)});
}

// Text in either encoding the tables are read in, short files and an empty one are tables to
// read, whatever they hold.
TEST_F(FileReadersTest, TextFilesAreReadAsTables)
{
    const struct {
        std::string bytes;
        std::size_t curves;
    } cases[] = {
        {"// Temperatur in \xB0""C\n1 2\n3 4\n", 1},
        {"\xEF\xBB\xBF// Temperatur in \xC2\xB0""C\n1 2 5\n3 4 6\n", 2},
        {"1 2\n", 1},
        {"", 0},
    };
    for (const auto& c : cases) {
        const QString path = write(c.bytes);
        const ImportedData data = readTextFile(path, "t", false);
        EXPECT_EQ(data.y.size(), c.curves) << c.bytes;
        EXPECT_FALSE(data.log.contains(refusal(path))) << c.bytes;
    }
}

} // namespace
