#include "ColumnEquality.h"
#include "ArrayFileReader.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using Column = std::vector<double>;

ImportedData read(const std::string& text, const QString& name = "name")
{
    return ArrayFileReader::read(text, name);
}

TEST(ArrayFileReaderTest, FourPointExample)
{
    const ImportedData data = read("$VX_ARRAY\n#COLS,4\n#ROWS,1\n#END\nr0,1,5,2,3\n");
    EXPECT_EQ(data.x, (Column{0, 1, 2, 3}));
    EXPECT_EQ(data.y.at(0), (Column{1, 5, 2, 3}));
    EXPECT_EQ(data.range.yMin, 0);
    EXPECT_EQ(data.range.yMax, 5);
    EXPECT_EQ(data.title, "name");
    const QStringList log = {"Kurvo: [#COLS,4]-> 2", "Kurvo: [#ROWS,1]-> 2", "Kurvo: [#END]-> 1",
                             "Kurvo: rows = 1, cols = 4", "Kurvo: i = 0, fields = 5",
                             "Kurvo: 4x1 { yMin = 0, yMax = 5 }"};
    EXPECT_EQ(data.log, log);
    EXPECT_EQ(data.closingLog.value(0), log.back());
}

TEST(ArrayFileReaderTest, HeaderKeywords)
{
    const ImportedData data = read("$VX_ARRAY v2\r\n#DOC,three channels\r\n  #TITLE,  Sensor   A \r\n#X\r\n"
                                "#ROWS,9\r\n#COLS,3\r\n#START,1\r\n#LEN,3\r\n#END\r\nskipped,9,9,9\r\n"
                                "r0,-3.5,2,7\r\nr1,100,100,100\r\nr2,1,1,1\r\n");
    EXPECT_EQ(data.title, " Sensor A");
    EXPECT_EQ(data.y.at(0), (Column{-3.5, 2, 7}));
    EXPECT_EQ(data.range.yMin, -3.5);
    EXPECT_EQ(data.range.yMax, 7);
    EXPECT_TRUE(data.log.contains("Kurvo: Flush #DOC keyword\n"));
    EXPECT_TRUE(data.log.contains("Kurvo: [#TITLE, Sensor A]-> 2"));
    EXPECT_FALSE(data.log.contains("Kurvo: [#X]-> 1"));
    EXPECT_TRUE(data.log.contains("Kurvo: i = 1, fields = 4"));
    EXPECT_FALSE(data.log.contains("Kurvo: i = 2, fields = 4"));
    EXPECT_EQ(data.closingLog.value(0), "Kurvo: 3x2 { yMin = -3, yMax = 7 }");
}

TEST(ArrayFileReaderTest, NonFiniteValuesAreNotFitted)
{
    const ImportedData data = read("$VX_ARRAY\n#COLS,3\n#ROWS,1\n#END\nr0,inf,-2,nan\n");
    EXPECT_TRUE(std::isinf(data.y.at(0)[0]));
    EXPECT_EQ(data.range.yMin, -2);
    EXPECT_EQ(data.range.yMax, 0);
}

TEST(ArrayFileReaderTest, TitleWithoutValueKeepsTheName)
{
    EXPECT_EQ(read("$VX_ARRAY\n#TITLE\n#COLS,1\n#ROWS,1\n#END\nr,1\n", "file").title, "file");
    EXPECT_EQ(read("$VX_ARRAY\n#TITLE,\n#COLS,1\n#ROWS,1\n#END\nr,1\n", "file").title, "file");
}

TEST(ArrayFileReaderTest, HeaderPromisingMoreThanTheFileHolds)
{
    const ImportedData data = read("$VX_ARRAY\n#COLS,2000000000\n#ROWS,2000000000\n#END\nr0,1,2\nr1,1,2,3,4\n");
    EXPECT_EQ(data.y.at(0), (Column{1, 2, 0, 0}));
    EXPECT_TRUE(data.log.contains("Kurvo: 2000000000 rows expected, 2 found"));
    EXPECT_TRUE(data.log.contains("Kurvo: #COLS 2000000000 is more than the 4 values of the widest row"));
    EXPECT_EQ(data.closingLog.value(0), "Kurvo: 4x2 { yMin = 0, yMax = 2 }");
}

TEST(ArrayFileReaderTest, NothingToPlot)
{
    const struct {
        const char* text;
        const char* lastLog;
    } cases[] = {
        {"#COLS,4\n", "Kurvo: Not an array data file: no $VX_ARRAY line"},
        {"$VX_ARRAY\n#COLS,4\n#END\nr0,1,2,3,4\n", "Kurvo: rows = -1, cols = 4"},
        {"$VX_ARRAY\n#COLS,x\n#ROWS,1\n#END\nr0,1\n", "Kurvo: rows = 1, cols = 0"},
        {"$VX_ARRAY\n#COLS,4\n#ROWS,1\n#END", "Kurvo: No data row found"},
        {"$VX_ARRAY\n#COLS,4\n#ROWS,3\n#LEN,0\n#END\nr0,1\n", "Kurvo: No data row found"},
    };
    for (const auto& c : cases) {
        const ImportedData data = read(c.text);
        EXPECT_TRUE(data.y.empty()) << c.text;
        EXPECT_EQ(data.log.back(), c.lastLog) << c.text;
    }
}

} // namespace
