#include "BlockLines.h"
#include "ByteLines.h"
#include "ColumnEquality.h"
#include "FileReaders.h"
#include "LooseLines.h"
#include "QStringPrinter.h"
#include "TextTableReader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> allLines(LineSource& source)
{
    std::vector<std::string> lines;
    while (!source.atEnd())
        lines.emplace_back(source.next());
    return lines;
}

// Texts whose line ends, byte-order marks and long lines fall on every block boundary.
const char* const kTexts[] = {
    "",
    "\n",
    "1 2\n3 4\n",
    "1 2\r\n3 4\r\n5 6",
    "\xEF\xBB\xBF" "1;2\r\n\xEF\xBB\xBF" "3;4\n",
    "a line much longer than the smallest block of sixteen bytes\r\nshort\r\n\r\n\rx\r",
    "no newline at the end at all, and long enough to need a bigger buffer",
};

TEST(BlockLinesTest, GivesTheLinesTheBytesGiveAtAnyBlockSize)
{
    for (const char* text : kTexts) {
        ByteLines inMemory{std::string_view(text)};
        const std::vector<std::string> expected = allLines(inMemory);
        for (std::size_t block : {16, 17, 23, 64, 1 << 20}) {
            QByteArray bytes(text);
            QBuffer device(&bytes);
            ASSERT_TRUE(device.open(QIODevice::ReadOnly));
            BlockLines blocks(device, block);
            EXPECT_EQ(blocks.bytesLeft(), std::string_view(text).size());
            EXPECT_EQ(allLines(blocks), expected) << "block " << block << ": " << text;
            EXPECT_FALSE(blocks.failed());
        }
    }
}

// People's tables also end lines with a bare CR or a form feed; CR LF stays one ending.
TEST(BlockLinesTest, LooseLinesEndAtCarriageReturnsAndFormFeeds)
{
    ByteLines bytes("a\rb\r\nc\fd\n\f\ne\r");
    LooseLines lines(bytes);
    EXPECT_EQ(allLines(lines), (std::vector<std::string>{"a", "b", "c", "d", "", "", "e", ""}));
}

// A device that fails after its first bytes, as a disk or network file system can.
class FailingDevice : public QIODevice
{
protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (served)
            return -1;
        served = true;
        const qint64 n = std::min<qint64>(maxSize, 4);
        std::memcpy(data, "1 2\n", std::size_t(n));
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    bool served = false;
};

TEST(BlockLinesTest, AReadErrorEndsTheLinesAndIsKnown)
{
    FailingDevice device;
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    BlockLines lines(device, 16);
    EXPECT_EQ(allLines(lines), (std::vector<std::string>{"1 2"}));
    EXPECT_TRUE(lines.failed());
}

// Read from a file a block at a time, a table comes out as it does read whole, the tables
// only the second reading understands included.
TEST(BlockLinesTest, FilesReadAsTheirBytesRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += std::to_string(i) + "," + std::to_string(i * 0.5) + "\n";
    for (const std::string& text : {big, "t,y\n# from the logger\n" + big + "\r7,8\f9,10",
                                    std::string("time,level\n0,1\n1,4\n"), std::string("$AUTOXSCALE\n1 2\n3 4\n"),
                                    std::string("nothing to draw\n")}) {
        const QString path = dir.filePath("table.csv");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), qint64(text.size()));
        file.close();
        for (bool fit : {false, true}) {
            const ImportedData fromFile = readTextFile(path, "t", fit);
            const ImportedData whole = TextTableReader::read(text, "t", fit);
            EXPECT_EQ(fromFile.x, whole.x);
            ASSERT_EQ(fromFile.y.size(), whole.y.size());
            for (std::size_t c = 0; c < whole.y.size(); ++c)
                EXPECT_EQ(fromFile.y[c], whole.y[c]);
            EXPECT_EQ(fromFile.log, whole.log);
            EXPECT_EQ(fromFile.curveTitles, whole.curveTitles);
        }
    }
}

} // namespace
