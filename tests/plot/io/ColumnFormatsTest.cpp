#include "ColumnFormats.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& text, const std::string& end)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t at = text.find(end); at != std::string::npos; at = text.find(end, start)) {
        result.push_back(text.substr(start, at - start));
        start = at + end.size();
    }
    EXPECT_EQ(start, text.size()) << "the last line lacks its end";
    return result;
}

// The 26-line file of a two-point curve, with the counts its data really has.
TEST(ColumnFormatsTest, DifOfTwoPoints)
{
    const double y[] = {0.5, 2};
    const std::vector<std::string> expected = {
        "TABLE", "0,1", "\"EXCEL\"", "VECTORS", "0,1", "\"\"", "TUPLES", "0,3", "\"\"", "DATA", "0,0", "\"\"", "-1,0",
        "BOT", "1,0", "\"data.0\"", "-1,0",
        "BOT", "0,0.5", "V", "-1,0",
        "BOT", "0,2", "V", "-1,0",
        "EOD"};
    EXPECT_EQ(lines(difColumn("data.0", y, 2), "\r\n"), expected);
    EXPECT_EQ(lines(difColumn("", y, 0), "\r\n")[15], "\"\"");
    EXPECT_EQ(lines(difColumn("say \"hi\"", y, 0), "\r\n")[15], "\"say \"\"hi\"\"\"");
}

// Every number reads back as the same double: no rounding to six digits.
TEST(ColumnFormatsTest, NumbersKeepEveryDigit)
{
    const double values[] = {1234567, 1e-9, 0.1, 1.0 / 3, -2.5e300, 0};
    const std::vector<std::string> text = lines(textColumn(values, 6), "\r\n");
    ASSERT_EQ(text.size(), 7u);
    EXPECT_EQ(text[0], "1234567");
    EXPECT_EQ(text[1], "1e-09");
    EXPECT_EQ(text[2], "0.1");
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(std::strtod(text[i].c_str(), nullptr), values[i]) << text[i];
    EXPECT_EQ(text.back(), "EOD");

    const std::vector<std::string> dif = lines(difColumn("t", values, 6), "\r\n");
    EXPECT_EQ(dif[18], "0,1234567");
    EXPECT_EQ(dif[22], "0,1e-09");
}

TEST(ColumnFormatsTest, TableOfCurvesSideBySide)
{
    const double x0[] = {0, 0.5, 1};
    const double y0[] = {1, 2, 1234567};
    const double x1[] = {9, 9};
    const double y1[] = {3, 4};
    const double y2[] = {5, 6, 7};
    const std::string table = curveTable({{x0, y0, 3}, {x1, y1, 2}, {x0, y2, 3}});
    EXPECT_EQ(table, "0,1,3,5\n0.5,2,4,6\n1,1234567,,7\n");
    EXPECT_EQ(curveTable({}), "");
    EXPECT_EQ(curveTable({{x1, y1, 2}, {x0, y0, 3}}), "9,3,1\n9,4,2\n");
}

} // namespace
