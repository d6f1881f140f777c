#include "ColumnEquality.h"
#include "ImportedX.h"
#include "QStringPrinter.h"
#include "TextTableReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using Column = std::vector<double>;
const double gap = std::nan("");
const double inf = std::numeric_limits<double>::infinity();

ImportedData read(const std::string& text, bool fit = false)
{
    return TextTableReader::read(text, "name", fit);
}

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromUtf8(t);
    return list;
}

struct SeparatorCase {
    const char* name;
    std::string text;
    QStringList log;
    std::size_t curves;
};

TEST(TextTableReaderTest, SeparatorDetectionLogsEveryStep)
{
    const std::string twenty = "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19\n";
    const std::vector<SeparatorCase> cases = {
        {"decimal comma after semicolon", "1;2,5\n3;4,5\n",
         lines({"Kurvo: Number of fields: 1", "Kurvo: Number of fields: 2.5", "Kurvo: Field separator [;]"}), 1},
        // The strict rules refuse these; the second reading takes them as people mean them.
        {"two blanks are one separator", "1  2\n",
         lines({"Kurvo: Field separator [ ]", "Kurvo: Data from line 1, x from column 1, 1 curves"}), 1},
        {"single column", "1\n2\n",
         lines({"Kurvo: One column",
                "Kurvo: Data from line 1, x counts the rows, 1 curves"}), 1},
        {"single column with $AUTOXSCALE", "$AUTOXSCALE\n1\n2\n",
         lines({"Kurvo: One column",
                "Kurvo: Data from line 2, x counts the rows, 1 curves"}), 1},
        {"header line names the curve", "time;value\n1;2\n",
         lines({"Kurvo: Header line: 2 names", "Kurvo: Field separator [;]",
                "Kurvo: Data from line 2, x from column 1, 1 curves"}), 1},
        {"comma", "1,2\n", lines({"Kurvo: Number of fields: 1", "Kurvo: Number of fields: 2", "Kurvo: Field separator [,]"}), 1},
        {"colon", "1:2\n", lines({"Kurvo: Number of fields: 1", "Kurvo: Number of fields: 2", "Kurvo: Field separator [:]"}), 1},
        {"tab", "1\t2\n", lines({"Kurvo: Number of fields: 1", "Kurvo: Number of fields: 2", "Kurvo: Field separator [\t]"}), 1},
        {"space with decimal commas", "1,5 2,5\n",
         lines({"Kurvo: Number of fields: 1.5", "Kurvo: Number of fields: 2.5", "Kurvo: Field separator [ ]"}), 1},
        {"empty file", "", lines({"Kurvo: No data line found"}), 0},
        {"blank first line", "\n1 2\n",
         lines({"Kurvo: Field separator [ ]", "Kurvo: Data from line 2, x from column 1, 1 curves"}), 1},
        {"only comments", "// a\n// b\n", lines({"Kurvo: No data line found"}), 0},
    };
    for (const SeparatorCase& c : cases) {
        const ImportedData table = read(c.text);
        EXPECT_EQ(table.log, c.log) << c.name;
        EXPECT_EQ(table.y.size(), c.curves) << c.name;
    }
    const ImportedData wide = read(twenty);
    EXPECT_EQ(wide.y.size(), 15u);
    EXPECT_EQ(wide.log.size(), 17);
    EXPECT_EQ(wide.y.back(), Column{15});
    EXPECT_EQ(read("$AUTOXSCALE\n" + twenty).y.size(), 16u);
}

TEST(TextTableReaderTest, AutoXScaleNumbersTheRows)
{
    const ImportedData table = read("$AUTOXSCALE\n5 50\n6 60\n\n7 70\n");
    EXPECT_EQ(xOf(table), (Column{0, 1, 2}));
    ASSERT_EQ(table.y.size(), 2u);
    EXPECT_EQ(table.y[0], (Column{5, 6, 7}));
    EXPECT_EQ(table.y[1], (Column{50, 60, 70}));
    EXPECT_EQ(table.range.xMax, 2);
    EXPECT_EQ(table.range.yMin, 5);
    EXPECT_EQ(table.range.yMax, 70);
    // With $AUTOXSCALE there are no comment lines.
    EXPECT_EQ(read("$AUTOXSCALE\n// x\n1 2\n").y.size(), 2u);
}

TEST(TextTableReaderTest, CommentsOnlyBeforeTheFirstDataLine)
{
    const ImportedData table = read("// measured 2024\n// t u\n  1 2  \n// late\n3 4\n");
    EXPECT_EQ(table.x, (Column{1, gap, 3}));
    EXPECT_EQ(table.y[0], (Column{2, gap, 4}));
    // Only the first line is trimmed before the comment test.
    EXPECT_EQ(read("  // x\n1 2\n").x, Column{1});
    // Refused by the strict rules, whose later "//" lines keep their blanks; read again.
    EXPECT_EQ(read("// x\n  // y\n1 2\n").x, Column{1});
}

TEST(TextTableReaderTest, OddRowsNeverShiftTheColumns)
{
    const std::string padded = "3;" + std::string(3000, ' ') + "4;" + std::string(2000, '0') + "5\n";
    const ImportedData table = read("1;2;9\n\n   \n" + padded + "x;oops;7;99;100\n6\n7;8");
    EXPECT_EQ(table.x, (Column{1, 3, gap, 6, 7}));
    EXPECT_EQ(table.y[0], (Column{2, 4, gap, gap, 8}));
    EXPECT_EQ(table.y[1], (Column{9, 5, 7, gap, gap}));
    EXPECT_EQ(table.log.back(), "Kurvo: 5 empty or unreadable fields are gaps");
}

// Plain rows take a faster way than the rest; a leading blank sends a row the general way.
TEST(TextTableReaderTest, EveryRowReadsAlikeWhicheverWayItTakes)
{
    const char* const rows[] = {"1;2;3",   "+1;-2;3",  "+-1;2;3", "1;2;",   "1;",       "1;2;3;4;5", "1e5;2E-3;.5",
                                "1,5;2;3", "inf;2;3",  "1e999;2", "-;2;3",  "1 ;2;3",   "0x1;2;3",   "1.;2.;-.5",
                                "4.9e-324;1;2", "1;;3", "++1;2;3", "1;2;3 ", "1;2;3\xC2\xA0"};
    for (const char* row : rows) {
        const ImportedData plain = read(std::string("0;0;0\n") + row + "\n");
        const ImportedData general = read(std::string("0;0;0\n ") + row + "\n");
        EXPECT_EQ(plain.x, Column(general.x.begin(), general.x.end())) << row;
        ASSERT_EQ(plain.y.size(), general.y.size()) << row;
        for (std::size_t k = 0; k < plain.y.size(); ++k)
            EXPECT_EQ(plain.y[k], Column(general.y[k].begin(), general.y[k].end())) << row;
    }
}

TEST(TextTableReaderTest, LineEndingsMarksAndBlanks)
{
    const ImportedData table = read("\xEF\xBB\xBF" "1;2\r\n3;4\r\n\xC2\xA0" "5;6\xC2\xA0\r\n");
    EXPECT_EQ(table.x, (Column{1, 3, 5}));
    EXPECT_EQ(table.y[0], (Column{2, 4, 6}));
    const ImportedData special = read("1 inf\n2 nan\n3 1e999\n");
    EXPECT_TRUE(std::isinf(special.y[0][0]));
    EXPECT_TRUE(std::isnan(special.y[0][1]));
    EXPECT_EQ(special.y[0][2], inf);
    EXPECT_EQ(special.range.yMin, 0.0);
    EXPECT_EQ(special.range.yMax, 0.0);
    EXPECT_EQ(read("nan 5\n1 -inf\n2 7\n").range.xMin, 1.0);
    EXPECT_EQ(read("nan 5\n1 -inf\n2 7\n").range.yMin, 5.0);
}

// What a double stands for only as NaN or an infinity is read so, by the strict rules and by
// the second reading alike, and never as 0.
TEST(TextTableReaderTest, NumbersBeyondADoubleAreNeverZero)
{
    const std::string rows = "1;-nan\n2;-Infinity\n3;1e400\n4;-1e400\n5;7\n";
    for (const std::string& text : {rows, "t;v\n" + rows}) {
        const ImportedData table = read(text);
        ASSERT_EQ(table.y.size(), 1u) << text;
        EXPECT_EQ(table.x, (Column{1, 2, 3, 4, 5})) << text;
        EXPECT_EQ(table.y[0], (Column{gap, -inf, inf, -inf, 7})) << text;
        EXPECT_EQ(table.range.yMin, 7.0) << text;
    }
}

TEST(TextTableReaderTest, PowerOfTwoCorrectionKeepsTheFirstPoints)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += std::to_string(i) + ";" + std::to_string(i < 512 ? i : 10000) + "\n";
    const ImportedData table = read(text, true);
    EXPECT_EQ(table.log.back(), "Kurvo: # Original points 1000, corrected to 512");
    EXPECT_EQ(table.x.size(), 512u);
    EXPECT_EQ(table.y[0].size(), 512u);
    EXPECT_EQ(table.range.xMax, 511);
    EXPECT_EQ(table.range.yMax, 511);

    EXPECT_EQ(read("1 2\n", true).log.back(), "Kurvo: # Original points 1, corrected to 1");
    EXPECT_EQ(read("1 2\n3 4\n5 6\n", true).x, (Column{1, 3}));
    EXPECT_EQ(read("1 2\n3 4\n5 6\n", false).x, (Column{1, 3, 5}));
}

} // namespace
