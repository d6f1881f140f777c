#include "ByteLines.h"
#include "FileBlocks.h"
#include "FileReaders.h"
#include "MemoryBlocks.h"
#include "QStringPrinter.h"
#include "ReadProgress.h"
#include "RowBlocks.h"
#include "TextTableReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string_view>;

// The lines that begin in each block of `size` bytes from `from` on, leaving out empty blocks.
Pieces blocksOf(std::string_view text, std::size_t from, std::size_t size)
{
    Pieces pieces;
    std::string buffer;
    for (std::size_t begin = from; begin < text.size(); begin += size) {
        const std::size_t end = std::min(begin + size, text.size());
        const std::string_view lines =
            RowBlocks::linesBeginningIn(MemoryBlocks(text), text.size(), from, begin, end, buffer);
        if (!lines.empty())
            pieces.push_back(lines);
    }
    return pieces;
}

TEST(RowBlocksTest, BlocksHoldTheLinesThatBeginInThem)
{
    const std::string longLine = "1\n" + std::string(40000, 'x') + "\n";
    const std::string longLines = longLine + "2\n";
    const struct {
        std::string_view text;
        std::size_t from;
        std::size_t size;
        Pieces pieces;
    } cases[] = {
        {"a\nbb\nccc\n", 0, 1, {"a\n", "bb\n", "ccc\n"}},
        {"a\nbb\nccc", 0, 4, {"a\nbb\n", "ccc"}},
        {"a\nbb\nccc", 0, 6, {"a\nbb\nccc"}},
        {"a\r\nb", 0, 2, {"a\r\n", "b"}},
        {"\n\n\n", 0, 2, {"\n\n", "\n"}},
        {"", 0, 3, {}},
        {"ab\ncd\nef\ng", 3, 1, {"cd\n", "ef\n", "g"}},
        // Lines longer than a look past the block's end.
        {longLines, 0, 4, {longLine, "2\n"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(blocksOf(c.text, c.from, c.size), c.pieces) << c.text.substr(0, 20) << " / " << c.size;
}

// The simplest rules: a number a line is a row, "t" a line of text, an empty line no row.
RowBlock readNumbers(std::string_view text, std::size_t allowance)
{
    RowBlock block;
    block.columns.resize(1);
    ByteLines lines(text);
    while (!lines.atEnd()) {
        const std::string_view line = lines.next();
        if (line == "t")
            ++block.textRows;
        if (line.empty() || line == "t")
            continue;
        if (block.rows == allowance) {
            block.cut = true;
            break;
        }
        block.columns[0].push_back(std::stod(std::string(line)));
        ++block.rows;
    }
    return block;
}

// Rows counted to the allowance, the text before the first row past it and nothing after,
// whichever block the allowance runs out in, or between two.
TEST(RowBlocksTest, TheAllowanceEndsWhereOneReaderStops)
{
    const std::string_view text = "1\nt\n\n2\n3\nt\n4\n\n5\nt\nt\n6\nt";
    for (std::size_t allowance = 0; allowance <= 7; ++allowance) {
        const RowBlock whole = readNumbers(text, allowance);
        for (const BlockPlan plan : {BlockPlan{2, 1, 0}, BlockPlan{3, 5, 0}, BlockPlan{4, 9, 0}}) {
            std::vector<ImportedData::Column> columns{{-1.0}};
            const std::size_t guess = plan.blockBytes == 5 ? 100 : 0;
            const RowBlock read = RowBlocks::read(MemoryBlocks(text), 0, plan, allowance, guess, readNumbers, columns);
            const ImportedData::Column expected = ImportedData::Column{-1.0} + whole.columns[0];
            EXPECT_EQ(columns[0], expected) << allowance << " / " << plan.blockBytes;
            EXPECT_EQ(read.rows, whole.rows);
            EXPECT_EQ(read.textRows, whole.textRows);
            EXPECT_EQ(read.cut, whole.cut);
        }
    }
}

TEST(RowBlocksTest, AReadersErrorReachesTheCaller)
{
    std::vector<ImportedData::Column> columns(1);
    const auto failing = [](std::string_view block, std::size_t allowance) -> RowBlock {
        if (block == "3\n")
            throw std::bad_alloc();
        return readNumbers(block, allowance);
    };
    EXPECT_THROW(RowBlocks::read(MemoryBlocks("1\n2\n3\n4\n"), 0, BlockPlan{2, 1, 0}, 10, 4, failing, columns),
                 std::bad_alloc);
}

// Every thread reports to the reader's progress, and a cancelled read reads no more blocks.
TEST(RowBlocksTest, ThreadsReportToTheReadersProgress)
{
    const std::string_view text = "1\n2\n3\n4\n5\n6\n";
    ReadProgress progress;
    ReadProgress::makeCurrent(&progress);
    std::vector<ImportedData::Column> columns(1);
    EXPECT_EQ(RowBlocks::read(MemoryBlocks(text), 0, BlockPlan{3, 2, 0}, 10, 0, readNumbers, columns).rows, 6u);
    EXPECT_EQ(progress.permille(), 1000);
    progress.cancel();
    EXPECT_EQ(RowBlocks::read(MemoryBlocks(text), 0, BlockPlan{3, 2, 0}, 10, 0, readNumbers, columns).rows, 0u);
    ReadProgress::makeCurrent(nullptr);
}

// A block the file no longer holds is no block read but a failed reading.
TEST(RowBlocksTest, AFileThatShrankFailsTheReading)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("shrinking.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write("1;2\n3;4\n"), 8);
    ASSERT_TRUE(file.flush());
    const FileBlocks blocks(file);
    std::string buffer;
    std::string_view bytes;
    EXPECT_TRUE(blocks.read(4, 4, buffer, bytes));
    EXPECT_EQ(bytes, "3;4\n");
    EXPECT_FALSE(blocks.failed());
    ASSERT_TRUE(file.resize(6));
    EXPECT_FALSE(blocks.read(4, 4, buffer, bytes));
    EXPECT_TRUE(blocks.failed());
}

bool sameBits(const QVector<double>& a, const QVector<double>& b)
{
    return a.size() == b.size() && (a.isEmpty() || std::memcmp(a.constData(), b.constData(), sizeof(double) * std::size_t(a.size())) == 0);
}

void expectSame(const ImportedData& blocks, const ImportedData& serial, const std::string& what)
{
    EXPECT_EQ(blocks.log, serial.log) << what;
    EXPECT_EQ(blocks.curveTitles, serial.curveTitles) << what;
    EXPECT_EQ(blocks.xIsTime, serial.xIsTime) << what;
    EXPECT_TRUE(sameBits(blocks.x, serial.x)) << what;
    ASSERT_EQ(blocks.y.size(), serial.y.size()) << what;
    for (std::size_t j = 0; j < serial.y.size(); ++j)
        EXPECT_TRUE(sameBits(blocks.y[j], serial.y[j])) << what << ", curve " << j;
    const double blockRange[] = {blocks.range.xMin, blocks.range.xMax, blocks.range.yMin, blocks.range.yMax};
    const double serialRange[] = {serial.range.xMin, serial.range.xMax, serial.range.yMin, serial.range.yMax};
    EXPECT_EQ(0, std::memcmp(blockRange, serialRange, sizeof serialRange)) << what;
}

// printf with the row's number i and two values of it, v and w, where the pattern names them
// in this order.
std::string row(const char* pattern, int i)
{
    char line[200];
    const double v = i * 0.1 + 1.0 / 3.0;
    std::snprintf(line, sizeof line, pattern, i, v, -v * 1e-7);
    return line;
}

// Each row takes the next pattern in turn.
std::string table(std::string text, const std::vector<std::string>& patterns, int rows)
{
    for (int i = 0; i < rows; ++i)
        text += row(patterns[std::size_t(i) % patterns.size()].c_str(), i);
    return text;
}

// Rows of every kind a table meets along its way: CR LF endings, blanks and byte-order marks,
// gaps, decimal commas, words, comments and blank lines, Unicode blanks at the ends.
std::string strictTable(const std::string& head)
{
    return table(head,
                 {"%d;%.17g;%.9g\r\n", "%d;;%.17g\n", "  %d ; %.3g;%.17g  \r\n", "\n%d;1,5;2,5\n",
                  "%d;nan;-inf\n", "%d\n", "// comment %d\n", "\xC2\xA0%d;%.4g;%g\xC2\xA0\n", "%d;abc;%.5e\n",
                  "\xEF\xBB\xBF%d;%.17g;%.17g\n", "   \r\n"},
                 1500);
}

// A table as people write it: title lines, a header with a quoted name holding the separator,
// a units row, x as `x` makes it of the row's number, comments, a repeated header, quoted
// fields, missing values, lines ended by CR alone or a form feed.
std::string looseTable(const std::string& x)
{
    const std::string head = "Measurement of the day\r\nOperator: nobody\n\n"
                             "time,\"volts, measured\",note,current\r\nISO,V,,mA\r\n";
    return table(head,
                 {x + ",%.17g,\"text, with comma\",%.9g\n", x + ",,n/a,NA\r\n", "# comment %d\n",
                  "time,\"volts, measured\",note,current\n", x + ",%.4g,a,1\r2,2,b,%.3g\f3,-,c,3\r\n",
                  x + ",\"%.17g\",\"\",\"%.3g\"\n", "\n"},
                 3000);
}

// Parallel reading on forced tiny blocks gives what one reader gives, on tables that exercise
// every rule the readers decide a row by.
TEST(RowBlocksTest, BlocksReadAsOneReaderReads)
{
    TableOptions chosen;
    chosen.xColumn = "none";
    chosen.columns = QStringList{"4", "2"};
    const struct {
        const char* name;
        std::string text;
        TableOptions options;
    } tables[] = {
        {"strict", strictTable("// the head\r\n"), {}},
        {"strict, x counts", strictTable("$AUTOXSCALE\n"), {}},
        {"dates as x", looseTable("2024-02-03 10:20:30.%d"), {}},
        {"numbers as x", looseTable("%d.5"), {}},
        {"user's choices", looseTable("%d"), chosen},
    };
    for (const auto& t : tables) {
        for (bool fit : {false, true}) {
            const ImportedData serial = TextTableReader::read(t.text, "t", fit, t.options);
            ASSERT_FALSE(serial.y.empty()) << t.name;
            for (const BlockPlan plan : {BlockPlan{2, 1, 0}, BlockPlan{3, 97, 0}, BlockPlan{5, 4096, 0}}) {
                const ImportedData blocks = TextTableReader::read(t.text, "t", fit, t.options, plan);
                expectSame(blocks, serial, std::string(t.name) + " / " + std::to_string(plan.blockBytes));
            }
        }
    }
}

// A file past the size that calls for threads is read whole on them, as on one.
TEST(RowBlocksTest, LargeFilesReadAsOnOneThread)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("large.csv");
    std::string text = "// a large table\n";
    while (text.size() <= BlockPlan::kParallelBytes)
        text += strictTable("");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(text.data(), qint64(text.size())), qint64(text.size()));
    file.close();

    qputenv("KURVO_THREADS", "1");
    const ImportedData serial = readTextFile(path, "t", false);
    qputenv("KURVO_THREADS", "3");
    const ImportedData threads = readTextFile(path, "t", false);
    qunsetenv("KURVO_THREADS");
    ASSERT_GT(serial.x.size(), 100000);
    expectSame(threads, serial, "file");
}

} // namespace
