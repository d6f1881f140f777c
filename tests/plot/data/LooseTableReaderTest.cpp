#include "ColumnEquality.h"
#include "ImportedX.h"
#include "LooseTableReader.h"
#include "QStringPrinter.h"
#include "TextTableReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// Tables the strict rules refuse, read through the text reader as the program reads them.
namespace {

using Column = std::vector<double>;
const double gap = std::nan("");

ImportedData read(const std::string& text, bool fit = false)
{
    return TextTableReader::read(text, "name", fit);
}

// Tables as they come: what each gives as x, curves and names.
struct TableCase {
    const char* name;
    std::string text;
    Column x;
    std::vector<Column> y;
    QStringList titles;
};

TEST(LooseTableReaderTest, TablesAsTheyCome)
{
    const std::vector<TableCase> cases = {
        {"free text before the table", "Title of the data set\n\nYear\tIndex\n1875\t17\n1876\t11.3\n",
         {1875, 1876}, {{17, 11.3}}, {"Index"}},
        {"key: value lines and a YAML block", "---\nsource: lab 4\nrate: 10 Hz\n...\nt,u\n0,1\n1,2\n2,3\n",
         {0, 1, 2}, {{1, 2, 3}}, {"u"}},
        {"numeric header and units row", "x-axis,1,2\nsecond,Volt,Volt\n-1.0E-06,-4.0E-04,+0.0E+00\n-9.9E-07,-2.0E-04,+2.0E-04\n",
         {-1.0e-6, -9.9e-7}, {{-4.0e-4, -2.0e-4}, {0.0, 2.0e-4}}, {"1 [Volt]", "2 [Volt]"}},
        {"units in brackets", "time;U;I\n(s);[mV];mA\n0;1,5;2\n1;2,5;3\n",
         {0, 1}, {{1.5, 2.5}, {2, 3}}, {"U [mV]", "I [mA]"}},
        {"comma and blanks", "VBIAS, Freq, IBIAS\n-6.0, 3.0E5, 1.6E-11\n-5.8, 3.0E5, 1.5E-11\n",
         {-6.0, -5.8}, {{3.0e5, 3.0e5}, {1.6e-11, 1.5e-11}}, {"Freq", "IBIAS"}},
        {"blank-only field between TABs", "DATE\tCOM\tMM\tOPEN\n20121206\tAP\t  \t879.17\n20121206\tZS\t10\t0\n",
         {20121206, 20121206}, {{gap, 10}, {879.17, 0}}, {"MM", "OPEN"}},
        {"one column", "17\n11.3\n", {0, 1}, {{17, 11.3}}, {""}},
        {"one named column", "level\n3\n4\n", {0, 1}, {{3, 4}}, {"level"}},
        {"bar separator", "a|b\n1|2\n3|4\n", {1, 3}, {{2, 4}}, {"b"}},
        {"missing values", "t,v\n0,1\n1,\n2,NA\n3,-\n4,null\n5,nan\n6,oops\n7,8\n",
         {0, 1, 2, 3, 4, 5, 6, 7}, {{1, gap, gap, gap, gap, gap, gap, 8}}, {"v"}},
        {"short rows", "a b c\n1 2 3\n4 5\n", {1, 4}, {{2, 5}, {3, gap}}, {"b", "c"}},
        {"repeated header is no row", "t,v\n0,1\nt,v\n1,2\n", {0, 1}, {{1, 2}}, {"v"}},
        {"quoted fields", "\"t\",\"a, b\"\n\"1\",\"2\"\n3,4\n", {1, 3}, {{2, 4}}, {"a, b"}},
        {"rows above the longest run", "1;2;oops\n3;4\n5;6\n", {1, 3, 5}, {{2, 4, 6}}, {""}},
        {"text column left out", "t name v\n0 alpha 1.5\n1 beta 2.5\n", {0, 1}, {{1.5, 2.5}}, {"v"}},
        {"header naming text columns", "\"GNP\",\"Population\"\n1,2\n3,4\n", {1, 3}, {{2, 4}}, {"Population"}},
        {"single quotes, decimal commas", "Zeit;'Wert';;\n0,5;1,25;7\n1,0;2,5;8\n",
         {0.5, 1.0}, {{1.25, 2.5}, {7, 8}}, {"Wert", ""}},
        {"decimal commas, capital exponents", "t;v\n1,5E-3;2\n2,5E+3;4\n", {0.0015, 2500}, {{2, 4}}, {"v"}},
        {"aligned columns", "  1    2.5   3\n 10   20.5  30\n100  200.5 300\n",
         {1, 10, 100}, {{2.5, 20.5, 200.5}, {3, 30, 300}}, {"", ""}},
        {"line ends anywhere", "# station 4\n\n1;2\n# recalibrated\n3;4;\r5;6\f\n", {1, 3, 5}, {{2, 4, 6}}, {""}},
    };
    for (const TableCase& c : cases) {
        const ImportedData table = read(c.text);
        EXPECT_EQ(xOf(table), c.x) << c.name;
        ASSERT_EQ(table.y.size(), c.y.size()) << c.name;
        for (std::size_t k = 0; k < c.y.size(); ++k)
            EXPECT_EQ(table.y[k], c.y[k]) << c.name << " curve " << k;
        EXPECT_EQ(table.curveTitles, c.titles) << c.name;
        EXPECT_FALSE(table.xIsTime) << c.name;
    }
}

TEST(LooseTableReaderTest, DatesAndTimesBecomeX)
{
    // 2024-03-01T00:00:00Z is 1709251200 s after 1970.
    const double day = 1709251200;
    const std::vector<TableCase> cases = {
        {"semicolon and blanks, times of day", "Time;Temp;Hum\n17:27:00; 19,8; 38\n17:28:00; 19,9; 39\n",
         {62820, 62880}, {{19.8, 19.9}, {38, 39}}, {"Temp", "Hum"}},
        {"ISO dates", "date,value\n2024-03-01,5\n2024-03-02,6\n", {day, day + 86400}, {{5, 6}}, {"value"}},
        {"ISO date-times with zone", "t v\n2024-03-01T12:00:00Z 1\n2024-03-01T12:00:00+01:00 2\n2024-03-01T12:00:00.250 3\n",
         {day + 43200, day + 39600, day + 43200.25}, {{1, 2, 3}}, {"v"}},
        {"blank between date and time", "t;v\n2024-03-01 12:30;1\n2024-03-01 12:30:15;2\n",
         {day + 45000, day + 45015}, {{1, 2}}, {"v"}},
        {"dotted dates", "01.03.2024 6:00\t1\n02.03.2024\t2\n", {day + 21600, day + 86400}, {{1, 2}}, {""}},
        {"month first", "03/01/2024 09:30,1\n03/02/2024,2\n", {day + 34200, day + 86400}, {{1, 2}}, {""}},
        {"day first where a day exceeds 12", "01/03/2024,1\n14/03/2024,2\n", {day, day + 13 * 86400}, {{1, 2}}, {""}},
        {"a date that is none", "d,v\n2024-02-30,1\n2024-03-01,2\n", {gap, day}, {{1, 2}}, {"v"}},
    };
    for (const TableCase& c : cases) {
        const ImportedData table = read(c.text);
        EXPECT_EQ(xOf(table), c.x) << c.name;
        ASSERT_GE(table.y.size(), 1u) << c.name;
        EXPECT_EQ(table.y[0], c.y[0]) << c.name;
        EXPECT_EQ(table.curveTitles.value(0), c.titles.value(0)) << c.name;
        EXPECT_TRUE(table.xIsTime) << c.name;
    }
}

TEST(LooseTableReaderTest, LogSaysWhatWasFound)
{
    const ImportedData table = read("Title\nrate: 5\n\nt,v\ns,V\n0,1\n1,\nx,y\n");
    EXPECT_EQ(table.log, QStringList({"Kurvo: Header line: 2 names", "Kurvo: 2 lines before the table are skipped",
                                      "Kurvo: Field separator [,]", "Kurvo: Units row at line 5",
                                      "Kurvo: Data from line 6, x from column 1, 1 curves",
                                      "Kurvo: 1 lines of text in the table are skipped",
                                      "Kurvo: 1 empty or unreadable fields are gaps"}));
    EXPECT_EQ(table.curveTitles, QStringList{"v [V]"});

    EXPECT_EQ(read("time;value\n").log.back(), "Kurvo: Header line but no data");
    EXPECT_EQ(read("Dear reader,\nno table here.\n").log.back(), "Kurvo: No numbers found");
    EXPECT_TRUE(read("a b\n").y.empty());

    std::string wide = "c0";
    std::string row = "0";
    for (int j = 1; j < 20; ++j) {
        wide += " c" + std::to_string(j);
        row += " " + std::to_string(j);
    }
    const ImportedData many = read(wide + "\n" + row + "\n");
    EXPECT_EQ(many.y.size(), 15u);
    EXPECT_TRUE(many.log.contains("Kurvo: 4 columns beyond the sixteenth are left out"));
}

// The user's choices, each where it changes what the rules find.
struct ChoiceCase {
    const char* name;
    std::string text;
    TableOptions options;
    Column x;
    std::vector<Column> y;
    QString problem;
};

TableOptions choose(std::function<void(TableOptions&)> set)
{
    TableOptions options;
    set(options);
    return options;
}

TEST(LooseTableReaderTest, ChoicesReplaceTheGuesses)
{
    const std::string table = "t;a;b\n1;2,5;3\n2;4;5\n";
    const std::vector<ChoiceCase> cases = {
        {"x column by number", table, choose([](auto& o) { o.xColumn = "2"; }), {2.5, 4}, {{1, 2}, {3, 5}}, {}},
        {"x column by name", table, choose([](auto& o) { o.xColumn = "B"; }), {3, 5}, {{1, 2}, {2.5, 4}}, {}},
        {"x counts the rows", table, choose([](auto& o) { o.xColumn = "none"; }), {0, 1}, {{1, 2}, {2.5, 4}, {3, 5}}, {}},
        {"columns in the order given", table, choose([](auto& o) { o.columns = QStringList{"b", "1"}; }),
         {1, 2}, {{3, 5}, {1, 2}}, {}},
        {"separator", "1:2,5\n4:5,5\n", choose([](auto& o) { o.separator = ','; }), {0, 1}, {{5, 5}}, {}},
        {"decimal point", table, choose([](auto& o) { o.decimal = TableOptions::DecimalMark::Point; }),
         {1, 2}, {{gap, 4}, {3, 5}}, {}},
        {"decimal comma", "1 2,5\n", choose([](auto& o) { o.decimal = TableOptions::DecimalMark::Comma; }),
         {1}, {{2.5}}, {}},
        {"skip", "9 9 9\n1 2\n3 4\n", choose([](auto& o) { o.skip = 1; }), {1, 3}, {{2, 4}}, {}},
        {"skip to a header", "junk\nt v\n1 2\n", choose([](auto& o) { o.skip = 1; }), {1}, {{2}}, {}},
        {"header line", "1 2\n1 2\nx y\n5 6\n", choose([](auto& o) { o.header = 3; }), {5}, {{6}}, {}},
        {"no header", "x-axis,1\n3,4\n", choose([](auto& o) { o.header = 0; }), {gap, 3}, {{1, 4}}, {}},
        {"missing column", table, choose([](auto& o) { o.xColumn = "7"; }), {}, {},
         "Kurvo: Column 7 is not in the table, which has 3 columns"},
        {"missing name", table, choose([](auto& o) { o.columns = QStringList{"c"}; }), {}, {}, "Kurvo: No column named c"},
        {"header past the end", table, choose([](auto& o) { o.header = 9; }), {}, {}, "Kurvo: Line 9 holds no header"},
    };
    for (const ChoiceCase& c : cases) {
        const ImportedData data = LooseTableReader::read(c.text, "name", false, c.options);
        EXPECT_EQ(xOf(data), c.x) << c.name;
        ASSERT_EQ(data.y.size(), c.y.size()) << c.name;
        for (std::size_t k = 0; k < c.y.size(); ++k)
            EXPECT_EQ(data.y[k], c.y[k]) << c.name << " curve " << k;
        if (!c.problem.isEmpty()) {
            EXPECT_EQ(data.log.back(), c.problem) << c.name;
        }
    }
}

TEST(LooseTableReaderTest, PowerOfTwoCorrection)
{
    std::string text = "x,y\n";
    for (int i = 0; i < 10; ++i)
        text += std::to_string(i) + "," + std::to_string(i * i) + "\n";
    const ImportedData table = read(text, true);
    EXPECT_EQ(table.x.size(), 8u);
    EXPECT_EQ(table.y[0].back(), 49);
    EXPECT_TRUE(table.log.contains("Kurvo: # Original points 10, corrected to 8"));
}

} // namespace
