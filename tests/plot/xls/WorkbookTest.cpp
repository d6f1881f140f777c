#include "Cell.h"
#include "RecordScan.h"
#include "Workbook.h"
#include "Worksheet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace Xls;

namespace {

const std::uint16_t bofCode = 0x0809;
const std::uint16_t eofCode = 0x000A;
const std::uint16_t indexCode = 0x020B;
const std::uint16_t dimensionsCode = 0x0200;
const std::uint16_t rowCode = 0x0208;
const std::uint16_t dbCellCode = 0x00D7;
const std::uint16_t window2Code = 0x023E;

std::vector<std::uint8_t> streamOf(const Workbook& book)
{
    std::vector<std::uint8_t> stream;
    EXPECT_TRUE(book.workbookStream(stream));
    return stream;
}

// The workbook of the "Excel" export of a curve of three points.
Workbook exportedCurve()
{
    Workbook book;
    book.newWorkbook(1);
    EXPECT_TRUE(book.renameWorksheet("Sheet1", "SHEET 1"));
    Worksheet* sheet = book.worksheet("SHEET 1");
    sheet->cell(0, 0)->setText("data.0");
    for (int i = 0; i < 3; ++i) {
        sheet->cell(i + 1, 0)->setDouble(i * 0.5);
        sheet->cell(i + 1, 1)->setDouble(i * i + 0.25);
    }
    return book;
}

// A name in the temporary folder that no other test process uses.
std::filesystem::path scratch(const std::string& name)
{
    return std::filesystem::temp_directory_path() / ("kurvo-xls-" + std::to_string(getpid()) + "-" + name);
}

const ScannedRecord* recordAt(const std::vector<ScannedRecord>& records, std::size_t offset)
{
    for (const ScannedRecord& record : records)
        if (record.offset == offset)
            return &record;
    return nullptr;
}

// Follows the INDEX to every DBCELL, and each DBCELL back to its ROW records and from row
// to row to each row's first cell record, as a reader looking up a row does.
::testing::AssertionResult cellIndexLeadsToEveryRow(const std::vector<std::uint8_t>& stream, std::size_t sheet)
{
    const auto records = scanSubstream(stream, sheet);
    const auto index = withCode(records, indexCode).at(0);
    std::size_t rowsFound = 0;
    for (std::size_t at = 16; at < index.data.size(); at += 4) {
        const ScannedRecord* dbCell = recordAt(records, le32(index.data, at));
        if (!dbCell || dbCell->code != dbCellCode)
            return ::testing::AssertionFailure() << "INDEX names no DBCELL at " << le32(index.data, at);
        const std::size_t firstRow = dbCell->offset - le32(dbCell->data, 0);
        std::size_t cell = firstRow + 20;
        for (std::size_t i = 0; 4 + 2 * i < dbCell->data.size(); ++i) {
            const ScannedRecord* row = recordAt(records, firstRow + 20 * i);
            cell += le16(dbCell->data, 4 + 2 * i);
            const ScannedRecord* first = recordAt(records, cell);
            if (!row || row->code != rowCode || !first)
                return ::testing::AssertionFailure() << "DBCELL at " << dbCell->offset << " leads nowhere";
            if (le16(first->data, 0) != le16(row->data, 0))
                return ::testing::AssertionFailure() << "row " << le16(row->data, 0) << " found as row "
                                                     << le16(first->data, 0);
            ++rowsFound;
        }
    }
    if (rowsFound != withCode(records, rowCode).size())
        return ::testing::AssertionFailure() << rowsFound << " rows reached through the index";
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(WorkbookCells, OutsideTheSheetThereIsNoCell)
{
    Workbook book;
    Worksheet* sheet = book.worksheet(std::size_t(0));
    EXPECT_EQ(sheet->cell(70000, 0), nullptr);
    EXPECT_EQ(sheet->cell(65536, 0), nullptr);
    EXPECT_EQ(sheet->cell(0, 256), nullptr);
    EXPECT_EQ(sheet->cell(-1, 0), nullptr);
    EXPECT_EQ(sheet->cell(0, -1), nullptr);
    EXPECT_NE(sheet->cell(65535, 255), nullptr);
}

TEST(WorkbookCells, CellsStayWhereTheyAreWhileOthersAreAdded)
{
    Workbook book;
    Worksheet* sheet = book.worksheet(std::size_t(0));
    Cell* first = sheet->cell(5, 5);
    for (int r = 0; r < 2000; ++r)
        sheet->cell(r, r % 256)->setInteger(r);
    first->setDouble(2.5);
    ASSERT_NE(sheet->findCell(5, 5), nullptr);
    EXPECT_EQ(sheet->findCell(5, 5)->number(), 2.5);
    EXPECT_EQ(sheet->cell(5, 5), first);
}

TEST(WorkbookCells, TextIsUtf8AndEmptyTextEmptiesTheCell)
{
    Cell cell;
    cell.setText("Messung-Ω");
    ASSERT_EQ(cell.type(), Cell::Text);
    EXPECT_EQ(cell.text().units(), u"Messung-Ω");
    EXPECT_TRUE(cell.text().wide());
    cell.setText("Müller");
    EXPECT_FALSE(cell.text().wide()); // Latin-1 takes the 8-bit form
    cell.setText("");
    EXPECT_EQ(cell.type(), Cell::Empty);
    cell.setText("x");
    cell.setText(nullptr);
    EXPECT_EQ(cell.type(), Cell::Empty);
    cell.setText("a\xff" "b\xe2\x82");
    EXPECT_EQ(cell.text().units(), u"a\uFFFDb\uFFFD\uFFFD");
    cell.setText("\xf0\x9f\x98\x80"); // beyond U+FFFF: a surrogate pair
    EXPECT_EQ(cell.text().length(), 2u);
    EXPECT_EQ(cell.text().toUtf8(), "\xf0\x9f\x98\x80");
    cell.setText(std::string(40000, 'a').c_str());
    EXPECT_EQ(cell.text().length(), Cell::maxTextLength);
}

TEST(WorkbookDefaults, GlobalsHoldTheDefaultRecordsInOrder)
{
    Workbook book;
    const auto stream = streamOf(book);
    std::vector<std::uint16_t> codes;
    for (const auto& record : scanSubstream(stream, 0))
        codes.push_back(record.code);
    std::vector<std::uint16_t> expected = {bofCode, 0x003D};
    expected.insert(expected.end(), 4, 0x0031);
    expected.insert(expected.end(), 21, 0x00E0);
    expected.insert(expected.end(), 6, 0x0293);
    expected.insert(expected.end(), {0x0085, 0x00FC, 0x00FF, eofCode});
    EXPECT_EQ(codes, expected);

    const auto globals = scanSubstream(stream, 0);
    EXPECT_EQ(globals[0].data, (std::vector<std::uint8_t>{0x00, 0x06, 0x05, 0x00, 0xA0, 0x19, 0xCD, 0x07, 0xC9, 0xC0,
                                                          0x00, 0x00, 0x06, 0x03, 0x00, 0x00}));
    EXPECT_EQ(globals[1].data, (std::vector<std::uint8_t>{120, 0, 120, 0, 0x1F, 0x3B, 0x54, 0x24, 0x38, 0, 0, 0, 0,
                                                          0, 1, 0, 0x58, 0x02}));
    const std::vector<std::uint8_t> font = {0xC8, 0, 0, 0, 0xFF, 0x7F, 0x90, 0x01, 0, 0, 0, 0, 0, 0, 5, 1,
                                            'A',  0, 'r', 0, 'i', 0, 'a', 0, 'l', 0};
    for (const auto& record : withCode(globals, 0x0031))
        EXPECT_EQ(record.data, font);
    const std::vector<std::uint8_t> xf = {0, 0, 0, 0, 0xF5, 0xFF, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0x20};
    for (const auto& record : withCode(globals, 0x00E0))
        EXPECT_EQ(record.data, xf);
    for (const auto& record : withCode(globals, 0x0293))
        EXPECT_EQ(record.data, (std::vector<std::uint8_t>{0x00, 0x80, 0x00, 0xFF}));
    const auto sheet = withCode(globals, 0x0085).at(0);
    EXPECT_EQ(std::vector<std::uint8_t>(sheet.data.begin() + 4, sheet.data.end()),
              (std::vector<std::uint8_t>{0, 0, 6, 0, 'S', 'h', 'e', 'e', 't', '1'}));
}

TEST(WorkbookSheets, NewSheetsAreNamedAfterTheFirstFreeNumber)
{
    Workbook book;
    book.newWorkbook(3);
    ASSERT_EQ(book.worksheetCount(), 3u);
    EXPECT_EQ(book.worksheet(std::size_t(2))->name(), "Sheet3");
    book.newWorkbook(2);
    ASSERT_TRUE(book.renameWorksheet("Sheet1", "Sheet3"));
    // The count plus one is 3, which is taken.
    EXPECT_EQ(book.addWorksheet()->name(), "Sheet4");
    book.newWorkbook(0);
    EXPECT_EQ(book.worksheetCount(), 1u);
    EXPECT_NE(book.worksheet("Sheet1"), nullptr);
    EXPECT_EQ(book.worksheet("Sheet2"), nullptr);
}

TEST(WorkbookSheets, RenamingChecksTheName)
{
    Workbook book;
    book.newWorkbook(2);
    EXPECT_FALSE(book.renameWorksheet("Sheet9", "X"));
    EXPECT_FALSE(book.renameWorksheet("Sheet1", ""));
    EXPECT_FALSE(book.renameWorksheet("Sheet1", "SHEET2")); // another sheet's, ignoring case
    EXPECT_FALSE(book.renameWorksheet("Sheet1", std::string(32, 'a')));
    for (const char* bad : {"a/b", "a:b", "a[b]", "a*", "a?", "a\\b", "'quoted'", "bad\xff"})
        EXPECT_FALSE(book.renameWorksheet("Sheet1", bad)) << bad;
    EXPECT_TRUE(book.renameWorksheet("Sheet1", std::string(30, 'a') + "Ω"));
    EXPECT_TRUE(book.renameWorksheet("Sheet2", "sheet2"));
    EXPECT_NE(book.worksheet("sheet2"), nullptr);
}

TEST(WorkbookLayout, ExportedCurveUsesRowsOneToFourAndColumnsAAndB)
{
    const auto stream = streamOf(exportedCurve());
    const auto positions = sheetPositions(stream);
    ASSERT_EQ(positions.size(), 1u);
    const auto sheet = scanSubstream(stream, positions[0]);
    ASSERT_EQ(sheet.front().code, bofCode);
    EXPECT_EQ(le16(sheet.front().data, 2), 0x0010);
    EXPECT_EQ(sheet[1].code, indexCode);
    EXPECT_EQ(sheet[2].code, dimensionsCode);
    EXPECT_EQ(sheet[2].data, (std::vector<std::uint8_t>{0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(le32(sheet[1].data, 4), 0u);
    EXPECT_EQ(le32(sheet[1].data, 8), 4u);
    EXPECT_EQ(withCode(sheet, rowCode).size(), 4u);
    EXPECT_EQ(withCode(sheet, dbCellCode).size(), 1u);
    EXPECT_EQ(sheet[sheet.size() - 2].code, window2Code);
    EXPECT_EQ(sheet.back().code, eofCode);
    EXPECT_TRUE(cellIndexLeadsToEveryRow(stream, positions[0]));
    // Nothing after the last sheet's EOF.
    EXPECT_EQ(sheet.back().offset + 4, stream.size());
}

TEST(WorkbookLayout, RowsAreBlockedIn32RowRangesFromTheFirstUsedRow)
{
    Workbook book;
    Worksheet* sheet = book.worksheet(std::size_t(0));
    for (int r = 5; r < 105; ++r)
        sheet->cell(r, r % 7)->setDouble(r + 0.5);
    sheet->cell(300, 255)->setText("far");
    sheet->cell(400, 3); // addressed only: no row
    const auto stream = streamOf(book);
    const auto records = scanSubstream(stream, sheetPositions(stream).at(0));
    const auto dbCells = withCode(records, dbCellCode);
    ASSERT_EQ(dbCells.size(), 5u); // rows 5-36, 37-68, 69-100, 101-104, 300
    EXPECT_EQ(dbCells[0].data.size(), 4u + 2 * 32);
    EXPECT_EQ(dbCells[3].data.size(), 4u + 2 * 4);
    EXPECT_EQ(dbCells[4].data.size(), 4u + 2 * 1);
    const auto index = withCode(records, indexCode).at(0);
    EXPECT_EQ(le32(index.data, 4), 5u);
    EXPECT_EQ(le32(index.data, 8), 301u);
    EXPECT_EQ(index.data.size(), 16u + 4 * 5);
    EXPECT_EQ(withCode(records, dimensionsCode).at(0).data,
              (std::vector<std::uint8_t>{5, 0, 0, 0, 0x2D, 1, 0, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_TRUE(cellIndexLeadsToEveryRow(stream, sheetPositions(stream).at(0)));
}

TEST(WorkbookLayout, SheetsArePlacedWhereTheirBoundSheetsSay)
{
    Workbook book;
    book.newWorkbook(3);
    book.worksheet(std::size_t(1))->cell(2, 2)->setText("two");
    book.worksheet(std::size_t(2))->cell(0, 0)->setDouble(3);
    const auto stream = streamOf(book);
    const auto positions = sheetPositions(stream);
    ASSERT_EQ(positions.size(), 3u);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const auto sheet = scanSubstream(stream, positions[i]);
        ASSERT_EQ(sheet.front().code, bofCode);
        EXPECT_EQ(le16(sheet.front().data, 2), 0x0010);
        // Only the first sheet is selected and shown, as WINDOW1 says.
        EXPECT_EQ(le16(withCode(sheet, window2Code).at(0).data, 0), i == 0 ? 0x06B6 : 0x00B6);
        EXPECT_TRUE(cellIndexLeadsToEveryRow(stream, positions[i]));
    }
    // The empty first sheet: no rows, all-zero range.
    const auto empty = scanSubstream(stream, positions[0]);
    EXPECT_EQ(withCode(empty, indexCode).at(0).data, std::vector<std::uint8_t>(16, 0));
    EXPECT_EQ(withCode(empty, dimensionsCode).at(0).data, std::vector<std::uint8_t>(14, 0));
}

TEST(WorkbookSave, FailsWhereNoFileCanBeWritten)
{
    const Workbook book = exportedCurve();
    EXPECT_FALSE(book.saveAs("/nonexistent-folder-of-kurvo/out.xls"));
    EXPECT_FALSE(book.saveAs(nullptr));
    EXPECT_FALSE(book.saveAs(""));
    const auto folder = scratch("folder");
    std::filesystem::create_directories(folder);
    EXPECT_FALSE(book.saveAs(folder.c_str())); // a folder is no file
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    std::filesystem::remove_all(folder);
}

TEST(WorkbookSave, AWriteThatFailsIsReportedAsFailed)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full to run out of space on";
    EXPECT_FALSE(exportedCurve().saveAs("/dev/full"));
    EXPECT_TRUE(std::filesystem::exists("/dev/full")); // a device is never removed
}

TEST(WorkbookSave, WritesTheStreamIntoACompoundFile)
{
    const Workbook book = exportedCurve();
    const auto path = scratch("save.xls");
    ASSERT_TRUE(book.saveAs(path.c_str()));
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    const auto stream = streamOf(book);
    // Header, FAT and directory sectors, then the stream in its own sectors, padded.
    ASSERT_EQ(file.size(), 512u * 12);
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), file.begin() + 512 * 3));
    EXPECT_TRUE(std::all_of(file.begin() + 512 * 3 + std::ptrdiff_t(stream.size()), file.end(),
                            [](std::uint8_t b) { return b == 0; }));
}
