// The writer's files read by real readers, python3-xlrd and python3-olefile, and by an office
// suite where one is installed.
#include "Cell.h"
#include "CompoundFile.h"
#include "CurveWorkbook.h"
#include "OfficeConvert.h"
#include "Workbook.h"
#include "Worksheet.h"
#include "XlsReadBack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <unistd.h>

using namespace Xls;

namespace {

class XlrdReadBack : public ::testing::Test
{
protected:
    void SetUp() override
    {
        REQUIRE_PYTHON_READERS(python);
        folder = std::filesystem::temp_directory_path() / ("kurvo-xls-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
    }

    void TearDown() override
    {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    ReadBook read(const std::string& file)
    {
        ReadBook book;
        std::string error;
        EXPECT_TRUE(readBack(python, file, book, error)) << error;
        return book;
    }

    std::string python;
    std::filesystem::path folder;
};

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// True when the reader gave back exactly `value`: the same double, bit for bit, or for NaN
// and the infinities the error #NUM!.
bool sameValue(const ReadCell& cell, double value)
{
    if (!std::isfinite(value))
        return cell.error == "#NUM!";
    return !cell.isText && cell.error.empty() && bitsOf(cell.number) == bitsOf(value);
}

// Checks a sheet written by writeCurve: the title in A1 and points first … last - 1 below.
void expectCurveSheet(const ReadSheet& sheet, const std::string& name, const std::string& title,
                      const std::vector<double>& x, const std::vector<double>& y, std::size_t first, std::size_t last)
{
    EXPECT_EQ(sheet.name, name);
    EXPECT_EQ(sheet.rows, int(last - first + 1));
    EXPECT_EQ(sheet.columns, 2);
    ASSERT_EQ(sheet.cells.size(), 1 + 2 * (last - first));
    EXPECT_TRUE(sheet.cells[0].isText);
    EXPECT_EQ(sheet.cells[0].text, title);
    for (std::size_t i = first; i < last; ++i) {
        const ReadCell& cx = sheet.cells[1 + 2 * (i - first)];
        const ReadCell& cy = sheet.cells[2 + 2 * (i - first)];
        ASSERT_EQ(cx.row, int(i - first + 1));
        ASSERT_EQ(cx.column, 0);
        ASSERT_EQ(cy.column, 1);
        ASSERT_TRUE(sameValue(cx, x[i])) << "x of point " << i << ": " << cx.number << cx.error << " for " << x[i];
        ASSERT_TRUE(sameValue(cy, y[i])) << "y of point " << i << ": " << cy.number << cy.error << " for " << y[i];
    }
}

} // namespace

TEST_F(XlrdReadBack, CurveOfThreePoints)
{
    const std::vector<double> x = {0, 0.5, 1};
    const std::vector<double> y = {12.34, 123456.78, -1e300};
    int sheets = 0;
    ASSERT_TRUE(writeCurve(path("three.xls"), "data.0", x.data(), y.data(), 3, sheets));
    EXPECT_EQ(sheets, 1);
    const ReadBook book = read(path("three.xls"));
    ASSERT_EQ(book.streams.size(), 1u);
    ASSERT_EQ(book.streams.count("Workbook"), 1u);
    EXPECT_EQ(book.streams.at("Workbook"), CompoundFile::smallestStream);
    ASSERT_EQ(book.sheets.size(), 1u);
    expectCurveSheet(book.sheets[0], "SHEET 1", "data.0", x, y, 0, 3);
}

TEST_F(XlrdReadBack, CurveLongerThanASheetGoesOnOnTheNextSheet)
{
    const std::size_t count = 70000;
    std::vector<double> x(count), y(count);
    for (std::size_t i = 0; i < count; ++i) {
        x[i] = double(i) * 0.01;                  // mostly exact RKs, many MULRKs
        y[i] = std::sin(double(i) * 0.001) * 1e3; // NUMBER records
    }
    y[5] = -0.0;
    y[6] = std::nan("");
    y[7] = 5e-324;
    int sheets = 0;
    ASSERT_TRUE(writeCurve(path("long.xls"), "Messung-Ω", x.data(), y.data(), count, sheets));
    EXPECT_EQ(sheets, 2);
    const ReadBook book = read(path("long.xls"));
    ASSERT_EQ(book.sheets.size(), 2u);
    expectCurveSheet(book.sheets[0], "SHEET 1", "Messung-Ω", x, y, 0, curveRowsPerSheet);
    expectCurveSheet(book.sheets[1], "SHEET 2", "Messung-Ω", x, y, curveRowsPerSheet, count);
    EXPECT_GT(book.streams.at("Workbook"), 4096u);
}

TEST_F(XlrdReadBack, NaNAndInfinitiesAreTheErrorNumAndMinusZeroStays)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> values = {std::nan(""), inf, -inf, -0.0, 1.5, -inf};
    Workbook book;
    for (std::size_t c = 0; c < values.size(); ++c)
        book.worksheet(std::size_t(0))->cell(0, int(c))->setDouble(values[c]);
    ASSERT_TRUE(book.saveAs(path("special.xls").c_str()));
    const ReadBook read = this->read(path("special.xls"));
    ASSERT_EQ(read.sheets.size(), 1u);
    ASSERT_EQ(read.sheets[0].cells.size(), values.size());
    for (std::size_t c = 0; c < values.size(); ++c) {
        const ReadCell& cell = read.sheets[0].cells[c];
        EXPECT_EQ(cell.column, int(c));
        EXPECT_TRUE(sameValue(cell, values[c])) << "column " << c << ": " << cell.number << cell.error;
    }
}

TEST_F(XlrdReadBack, FileBeyondOneHundredAndNineFatSectors)
{
    // About 7.8 MB of NUMBER records: the FAT no longer fits the header's 109 slots.
    const std::size_t count = 140000;
    std::vector<double> x(count), y(count);
    for (std::size_t i = 0; i < count; ++i) {
        x[i] = double(i) / 3.0;
        y[i] = std::exp(double(i % 1000) / 77.0);
    }
    int sheets = 0;
    ASSERT_TRUE(writeCurve(path("large.xls"), "", x.data(), y.data(), count, sheets));
    EXPECT_EQ(sheets, 3);
    EXPECT_GT(std::filesystem::file_size(path("large.xls")), 109u * 128 * 512);
    const ReadBook book = read(path("large.xls"));
    ASSERT_EQ(book.sheets.size(), 3u);
    // Without a title A1 is empty.
    EXPECT_EQ(book.sheets[2].cells.size(), 2 * (count - 2 * curveRowsPerSheet));
    const ReadCell& last = book.sheets[2].cells.back();
    EXPECT_TRUE(sameValue(last, y[count - 1]));
    EXPECT_EQ(last.row, int(count - 2 * curveRowsPerSheet));
}

TEST_F(XlrdReadBack, TextsSpanningContinueRecords)
{
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i)
        texts.push_back("Kanal " + std::to_string(i));
    texts[10] = "Messung-Ω";
    texts[20] = std::string(300, 'q');
    texts[30] = "Spannung in µV, Ä Ö Ü ß";
    texts[40] = "\xf0\x9d\x9b\x80 beyond the BMP";
    std::string wide;
    for (int i = 0; i < 9000; ++i)
        wide += (i % 2) ? "ж" : "ä";
    texts[2500] = wide;
    Workbook book;
    Worksheet* sheet = book.worksheet(std::size_t(0));
    for (std::size_t i = 0; i < texts.size(); ++i)
        sheet->cell(int(i / 3), int(i % 3))->setText(texts[i].c_str());
    ASSERT_TRUE(book.saveAs(path("texts.xls").c_str()));

    const ReadBook read = this->read(path("texts.xls"));
    ASSERT_EQ(read.sheets.size(), 1u);
    ASSERT_EQ(read.sheets[0].cells.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const ReadCell& cell = read.sheets[0].cells[i];
        ASSERT_TRUE(cell.isText);
        ASSERT_EQ(cell.text, texts[i]) << "text " << i;
    }
}

TEST_F(XlrdReadBack, SmallAndLargeWorkbooksWithSeveralSheets)
{
    Workbook small;
    small.newWorkbook(2);
    ASSERT_TRUE(small.renameWorksheet("Sheet2", "Ωmega"));
    small.worksheet("Ωmega")->cell(3, 7)->setDouble(2.5);
    small.worksheet(std::size_t(0))->cell(0, 0)->setInteger(-42);
    ASSERT_TRUE(small.saveAs(path("small.xls").c_str()));
    std::vector<std::uint8_t> stream;
    ASSERT_TRUE(small.workbookStream(stream));
    ASSERT_LT(stream.size(), 4096u);

    const ReadBook smallRead = read(path("small.xls"));
    EXPECT_EQ(smallRead.streams.at("Workbook"), CompoundFile::smallestStream);
    ASSERT_EQ(smallRead.sheets.size(), 2u);
    EXPECT_EQ(smallRead.sheets[1].name, "Ωmega");
    ASSERT_EQ(smallRead.sheets[1].cells.size(), 1u);
    EXPECT_EQ(smallRead.sheets[1].cells[0].row, 3);
    EXPECT_EQ(smallRead.sheets[1].cells[0].column, 7);
    EXPECT_EQ(smallRead.sheets[1].cells[0].number, 2.5);
    EXPECT_EQ(smallRead.sheets[0].cells.at(0).number, -42.0);

    Workbook large;
    for (int r = 0; r < 300; ++r)
        for (int c = 0; c < 10; ++c)
            large.worksheet(std::size_t(0))->cell(r, c)->setDouble(r * 10 + c + 0.75);
    ASSERT_TRUE(large.saveAs(path("large.xls").c_str()));
    ASSERT_TRUE(large.workbookStream(stream));
    ASSERT_GT(stream.size(), 4096u);
    const ReadBook largeRead = read(path("large.xls"));
    EXPECT_EQ(largeRead.streams.at("Workbook"), std::max(stream.size(), CompoundFile::smallestStream));
    ASSERT_EQ(largeRead.sheets.at(0).cells.size(), 3000u);
    EXPECT_EQ(largeRead.sheets[0].cells.back().number, 2999.75);
}

TEST(OfficeReadBack, NaNAndInfinitiesShowAsTheErrorNum)
{
    const std::string office = officeProgram();
    if (office.empty())
        GTEST_SKIP() << "no office suite (soffice) is installed to read the workbook";
    const auto folder = std::filesystem::temp_directory_path() / ("kurvo-office-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> values = {1.5, std::nan(""), inf, -inf};
    Workbook book;
    for (std::size_t c = 0; c < values.size(); ++c)
        book.worksheet(std::size_t(0))->cell(0, int(c))->setDouble(values[c]);
    const std::string path = (folder / "special.xls").string();
    ASSERT_TRUE(book.saveAs(path.c_str()));
    const std::vector<std::string> lines = officeCsvLines(office, path, folder.string());
    std::filesystem::remove_all(folder);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "1.5,#NUM!,#NUM!,#NUM!");
}

TEST(CurveWorkbook, FailsWhereNoFileCanBeWritten)
{
    const double x[] = {1, 2};
    const double y[] = {3, 4};
    int sheets = 7;
    EXPECT_FALSE(writeCurve("/nonexistent-folder-of-kurvo/curve.xls", "t", x, y, 2, sheets));
    EXPECT_EQ(sheets, 0);
    const auto path = std::filesystem::temp_directory_path() / ("kurvo-xls-" + std::to_string(getpid()) + "-none.xls");
    EXPECT_FALSE(writeCurve(path.string(), "t", nullptr, y, 2, sheets));
    EXPECT_FALSE(std::filesystem::exists(path));
}
