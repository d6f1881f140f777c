#include "ColumnEquality.h"
#include "QStringPrinter.h"
#include "TextTableReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Tables the strict rules refuse, read through the text reader as the program reads them.
namespace {

using Column = std::vector<double>;

ImportedData read(const std::string& text, bool fit = false)
{
    return TextTableReader::read(text, "name", fit);
}

TEST(LooseTableReaderTest, HeaderRowsNameTheCurves)
{
    const ImportedData quoted = read("\"GNP\",\"Population\"\n1,2\n3,4\n");
    EXPECT_EQ(quoted.x, (Column{1, 3}));
    ASSERT_EQ(quoted.y.size(), 1u);
    EXPECT_EQ(quoted.y[0], (Column{2, 4}));
    EXPECT_EQ(quoted.curveTitles, QStringList{"Population"});
    EXPECT_EQ(quoted.log, QStringList({"Kurvo: Header line: 2 names", "Kurvo: Field separator [,]"}));

    // Decimal commas with a semicolon, single quotes, an empty name keeping the default.
    const ImportedData german = read("Zeit;'Wert';;\n0,5;1,25;7\n1,0;2,5;8\n");
    EXPECT_EQ(german.x, (Column{0.5, 1.0}));
    EXPECT_EQ(german.y[0], (Column{1.25, 2.5}));
    EXPECT_EQ(german.curveTitles, QStringList({"Wert", ""}));

    // Two counts and three class names above numeric rows: a header, not data.
    const ImportedData classes = read("150,4,setosa,versicolor,virginica\n5.1,3.5,1.4,0.2,0\n4.9,3,1.4,0.2,0\n");
    EXPECT_EQ(classes.x, (Column{5.1, 4.9}));
    EXPECT_EQ(classes.y.size(), 4u);
    EXPECT_EQ(classes.curveTitles, QStringList({"4", "setosa", "versicolor", "virginica"}));

    const ImportedData alone = read("time;value\n");
    EXPECT_TRUE(alone.y.empty());
    EXPECT_EQ(alone.log.back(), "Kurvo: Header line but no data");
}

TEST(LooseTableReaderTest, CommentsAndLineEndsAnywhere)
{
    const ImportedData table = read("# station 4\n\n1;2;oops\n# recalibrated\n3;4;\r5;6\f\n");
    EXPECT_EQ(table.x, (Column{1, 3, 5}));
    EXPECT_EQ(table.y[0], (Column{2, 4, 6}));
    EXPECT_EQ(table.y.size(), 1u);
    EXPECT_TRUE(table.log.contains("Kurvo: Column 3 holds no numbers and is left out"));
}

TEST(LooseTableReaderTest, TextColumnsAreLeftOut)
{
    const ImportedData dated = read("date,value\n2024-01-01,5\n2024-01-02,6\n2024-01-03,x\n");
    EXPECT_EQ(dated.x, (Column{0, 1, 2}));
    ASSERT_EQ(dated.y.size(), 1u);
    EXPECT_EQ(dated.y[0], (Column{5, 6, 0}));
    EXPECT_EQ(dated.curveTitles, QStringList{"value"});
    EXPECT_TRUE(dated.log.contains("Kurvo: Column 1 holds no numbers and is left out"));
    EXPECT_TRUE(dated.log.contains("Kurvo: 1 empty or unreadable fields read as 0"));

    const ImportedData middle = read("t name v\n0 alpha 1.5\n1 beta 2.5\n");
    EXPECT_EQ(middle.x, (Column{0, 1}));
    ASSERT_EQ(middle.y.size(), 1u);
    EXPECT_EQ(middle.y[0], (Column{1.5, 2.5}));
    EXPECT_EQ(middle.curveTitles, QStringList{"v"});
    EXPECT_EQ(middle.range.yMax, 2.5);
}

TEST(LooseTableReaderTest, SeparatorsAsPeopleUseThem)
{
    const ImportedData trailing = read("1;2;\n3;4;\n");
    EXPECT_EQ(trailing.y.size(), 1u);
    EXPECT_EQ(trailing.y[0], (Column{2, 4}));

    const ImportedData aligned = read("  1    2.5   3\n 10   20.5  30\n100  200.5 300\n");
    EXPECT_EQ(aligned.x, (Column{1, 10, 100}));
    ASSERT_EQ(aligned.y.size(), 2u);
    EXPECT_EQ(aligned.y[1], (Column{3, 30, 300}));

    const ImportedData tabs = read("a\tb\n1 \t2\n3\t\t4\n");
    EXPECT_EQ(tabs.x, (Column{1, 3}));
    EXPECT_EQ(tabs.y[0], (Column{2, 4}));

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
