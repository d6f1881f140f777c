#include "ColumnFormats.h"
#include "OfficeConvert.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
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

// Missing and infinite values carry the format's own value indicators, which readers know,
// rather than "nan" and "inf", which they do not; -0 stays a number with its sign.
TEST(ColumnFormatsTest, DifMarksMissingAndInfiniteValues)
{
    const double values[] = {NAN, INFINITY, -INFINITY, -0.0, 1.5};
    const std::vector<std::string> dif = lines(difColumn("t", values, 5), "\r\n");
    ASSERT_EQ(dif.size(), 17u + 5 * 4 + 1);
    const std::vector<std::pair<std::string, std::string>> tuples = {
        {"0,0", "NA"}, {"0,0", "ERROR"}, {"0,0", "ERROR"}, {"0,-0", "V"}, {"0,1.5", "V"}};
    for (std::size_t i = 0; i < tuples.size(); ++i) {
        EXPECT_EQ(dif[17 + 4 * i], "BOT") << i;
        EXPECT_EQ(dif[18 + 4 * i], tuples[i].first) << i;
        EXPECT_EQ(dif[19 + 4 * i], tuples[i].second) << i;
        EXPECT_EQ(dif[20 + 4 * i], "-1,0") << i;
    }
    EXPECT_EQ(dif.back(), "EOD");
}

// An office suite takes the value indicators for what they are: no cell reads "nan" or "inf".
TEST(ColumnFormatsTest, OfficeReadsTheDifValueIndicators)
{
    const std::string office = officeProgram();
    if (office.empty())
        GTEST_SKIP() << "no office suite (soffice) is installed to read the DIF file";
    const auto folder = std::filesystem::temp_directory_path() / ("kurvo-dif-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const double values[] = {1.5, NAN, INFINITY, -INFINITY};
    const std::string path = (folder / "column.dif").string();
    std::ofstream(path, std::ios::binary) << difColumn("t", values, 4);
    const std::vector<std::string> cells = officeCsvLines(office, path, folder.string());
    std::filesystem::remove_all(folder);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[1], "1.5");
    for (std::size_t i = 2; i < cells.size(); ++i) {
        std::string lower = cells[i];
        for (char& c : lower)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(lower.find("nan"), std::string::npos) << cells[i];
        EXPECT_EQ(lower.find("inf"), std::string::npos) << cells[i];
    }
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
