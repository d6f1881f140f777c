#include "ByteWriter.h"
#include "CellRecords.h"
#include "FormulaRecords.h"
#include "RowBlock.h"
#include "SharedStringTable.h"
#include "SubstreamRecords.h"
#include "WorkbookRecords.h"
#include "WorksheetRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace Xls;

namespace {

using CellBlock = Worksheet::CellTable::RowBlock::CellBlock;
using Formula = CellBlock::Formula;

std::vector<std::uint8_t> bytesOf(const Record& record)
{
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    const std::size_t written = record.write(out);
    EXPECT_EQ(written, bytes.size());
    EXPECT_EQ(bytes.size(), record.recordSize());
    return bytes;
}

// Writes `original`, reads the bytes into a fresh record of its class, and checks that the
// fresh record writes the same bytes; returns the fresh record for checks of its fields.
// The bytes under another record code must be refused, and so must data one byte short,
// unless the record ends in bytes of any length.
template <typename R>
R roundTrip(const R& original, bool endsInAnyLength = false)
{
    const std::vector<std::uint8_t> bytes = bytesOf(original);
    R back;
    EXPECT_TRUE(back.read(bytes.data(), bytes.size()));
    EXPECT_EQ(bytesOf(back), bytes);
    if (original.dataSize() > 0 && !endsInAnyLength) {
        std::vector<std::uint8_t> shortened(bytes.begin(), bytes.end() - 1);
        shortened[2] = std::uint8_t(shortened[2] - 1);
        if (original.continueOffsets().empty()) {
            EXPECT_FALSE(R().read(shortened.data(), shortened.size())) << "record " << original.code();
        }
    }
    std::vector<std::uint8_t> renamed = bytes;
    renamed[0] ^= 0x40;
    EXPECT_FALSE(R().read(renamed.data(), renamed.size()));
    return back;
}

} // namespace

TEST(RecordRoundTrip, SubstreamRecords)
{
    BOF bof(BOF::worksheet);
    bof.build = 0x1234;
    bof.fileHistory = 0x89ABCDEF;
    const BOF back = roundTrip(bof);
    EXPECT_EQ(back.substreamType, BOF::worksheet);
    EXPECT_EQ(back.build, 0x1234);
    EXPECT_EQ(back.fileHistory, 0x89ABCDEFu);
    EXPECT_EQ(back.lowestVersion, 0x0306u);
    EXPECT_EQ(bytesOf(Eof()), (std::vector<std::uint8_t>{0x0A, 0x00, 0x00, 0x00}));
    roundTrip(Eof());
}

TEST(RecordRoundTrip, GlobalsRecords)
{
    Workbook::Window1 window;
    window.width = 9999;
    window.activeSheet = 2;
    EXPECT_EQ(roundTrip(window).width, 9999);

    Workbook::Font font;
    font.weight = 700;
    font.name = UnicodeText::fromUtf8("Ωmega Sans");
    const auto fontBack = roundTrip(font);
    EXPECT_EQ(fontBack.weight, 700);
    EXPECT_EQ(fontBack.name, font.name);
    EXPECT_EQ(Workbook::Font().dataSize(), 16u + 2 * 5);
    EXPECT_TRUE(Workbook::Font().name.wide());

    Workbook::XF xf;
    xf.fontIndex = 5;
    xf.borderColours = 0x01020304;
    const auto xfBack = roundTrip(xf);
    EXPECT_EQ(xfBack.fontIndex, 5);
    EXPECT_EQ(xfBack.borderColours, 0x01020304u);

    Workbook::Style builtIn;
    builtIn.builtInStyle = 3;
    EXPECT_EQ(roundTrip(builtIn).builtInStyle, 3);
    Workbook::Style named;
    named.xfIndex = 16;
    named.name = UnicodeText::fromUtf8("Messwerte");
    const auto namedBack = roundTrip(named);
    EXPECT_FALSE(namedBack.builtIn());
    EXPECT_EQ(namedBack.name, named.name);

    Workbook::BoundSheet sheet(UnicodeText::fromUtf8("SHEET 1"));
    sheet.position = 0x12345;
    const auto sheetBack = roundTrip(sheet);
    EXPECT_EQ(sheetBack.position, 0x12345u);
    EXPECT_EQ(sheetBack.name.toUtf8(), "SHEET 1");

    Workbook::SharedStringTable sst;
    sst.add(UnicodeText::fromUtf8("x"));
    sst.add(UnicodeText::fromUtf8("Ω"));
    sst.add(UnicodeText::fromUtf8("x"));
    const auto sstBack = roundTrip(sst);
    EXPECT_EQ(sstBack.totalCount(), 3u);
    EXPECT_EQ(sstBack.string(1).toUtf8(), "Ω");

    Workbook::ExtSST ext;
    ext.index(sst, 1000);
    const auto extBack = roundTrip(ext);
    ASSERT_EQ(extBack.buckets.size(), 1u);
    EXPECT_EQ(extBack.buckets[0].streamOffset, 1000u + 12);
    EXPECT_EQ(extBack.buckets[0].recordOffset, 12);
}

TEST(RecordRoundTrip, WorksheetRecords)
{
    Worksheet::Index index;
    index.firstRow = 3;
    index.lastRowPlusOne = 70;
    index.dbCellPositions = {100, 2000, 30000};
    EXPECT_EQ(roundTrip(index).dbCellPositions, index.dbCellPositions);

    Worksheet::Dimensions dimensions;
    dimensions.lastRowPlusOne = 65536;
    dimensions.lastColumnPlusOne = 256;
    const auto dimensionsBack = roundTrip(dimensions);
    EXPECT_EQ(dimensionsBack.lastRowPlusOne, 65536u);
    EXPECT_EQ(dimensionsBack.lastColumnPlusOne, 256);

    Worksheet::Window2 window;
    window.normalZoom = 150;
    EXPECT_EQ(roundTrip(window).normalZoom, 150);

    Worksheet::CellTable::RowBlock::Row row(65535, 2, 256);
    EXPECT_EQ(roundTrip(row).row, 65535);

    Worksheet::CellTable::RowBlock::DBCell dbCell;
    dbCell.firstRowOffset = 640;
    dbCell.cellOffsets = {620, 22, 22};
    EXPECT_EQ(roundTrip(dbCell).cellOffsets, dbCell.cellOffsets);
}

TEST(RecordRoundTrip, CellRecords)
{
    CellBlock::Blank blank;
    blank.column = 9;
    EXPECT_EQ(roundTrip(blank).column, 9);

    CellBlock::BoolErr error;
    error.value = 0x2A;
    error.isError = 1;
    EXPECT_EQ(roundTrip(error).value, 0x2A);

    CellBlock::LabelSST label;
    label.sstIndex = 77777;
    EXPECT_EQ(roundTrip(label).sstIndex, 77777u);

    CellBlock::MulBlank blanks;
    blanks.firstColumn = 4;
    blanks.xfIndices = {15, 16, 17};
    const auto blanksBack = roundTrip(blanks);
    EXPECT_EQ(blanksBack.xfIndices, blanks.xfIndices);
    EXPECT_EQ(blanksBack.lastColumn(), 6);

    CellBlock::MulRK numbers;
    numbers.row = 12;
    numbers.entries.resize(2);
    numbers.entries[0].rk = 0x3FF00000;
    numbers.entries[1].rk = 0x40934801;
    const auto numbersBack = roundTrip(numbers);
    ASSERT_EQ(numbersBack.entries.size(), 2u);
    EXPECT_EQ(numbersBack.entries[1].rk, 0x40934801u);

    CellBlock::Number number;
    number.value = -0.0;
    EXPECT_TRUE(std::signbit(roundTrip(number).value));

    CellBlock::RK rk;
    rk.rk = 0x40140000;
    EXPECT_EQ(roundTrip(rk).rk, 0x40140000u);
}

TEST(RecordRoundTrip, MultipleCellRecordsNeedTwoColumnsAndAMatchingLastColumn)
{
    CellBlock::MulRK numbers;
    numbers.entries.resize(2);
    auto bytes = bytesOf(numbers);
    bytes[bytes.size() - 2] = 5; // last column 5, but two entries from column 0
    EXPECT_FALSE(CellBlock::MulRK().read(bytes.data(), bytes.size()));
    numbers.entries.resize(1);
    bytes = bytesOf(numbers);
    EXPECT_FALSE(CellBlock::MulRK().read(bytes.data(), bytes.size()));
}

TEST(RecordRoundTrip, FormulaRecords)
{
    Formula formula;
    formula.row = 3;
    formula.result = 0xFFFF000000000001ull; // a Boolean result: its marker bits stay as they are
    formula.tokens = {0x1E, 0x01, 0x00};     // the integer 1
    EXPECT_EQ(roundTrip(formula).result, formula.result);
    EXPECT_EQ(roundTrip(formula).tokens, formula.tokens);

    Formula::Array array;
    array.lastRow = 9;
    array.tokens = {1, 2, 3};
    array.extra = {4, 5};
    const auto arrayBack = roundTrip(array, true);
    EXPECT_EQ(arrayBack.extra, array.extra);
    EXPECT_EQ(arrayBack.lastRow, 9);

    Formula::ShrFmla shared;
    shared.uses = 4;
    shared.tokens = {7};
    EXPECT_EQ(roundTrip(shared).uses, 4);
    Formula::ShrFmla1 older;
    EXPECT_EQ(older.code(), 0x00BC);
    older.tokens = {8, 9};
    EXPECT_EQ(roundTrip(older).tokens, older.tokens);

    Formula::Table table;
    table.inputColumnColumn = 7;
    EXPECT_EQ(roundTrip(table).inputColumnColumn, 7);

    Formula::String text;
    text.value = UnicodeText::fromUtf8("Ergebnis Ω");
    EXPECT_EQ(roundTrip(text).value, text.value);
}

TEST(RecordRoundTrip, DataBeyond8224BytesGoesOnInContinueRecords)
{
    Formula formula;
    formula.extra.assign(20000, 0xAB);
    const auto bytes = bytesOf(formula);
    ASSERT_EQ(formula.continueOffsets(), (std::vector<std::size_t>{8224, 16448}));
    EXPECT_EQ(bytes.size(), 3 * 4 + formula.dataSize());
    EXPECT_EQ(bytes[4 + 8224], 0x3C);
    EXPECT_EQ(bytes[4 + 8224 + 1], 0x00);
    EXPECT_EQ(bytes[4 + 8224 + 2] | bytes[4 + 8224 + 3] << 8, 8224);
    EXPECT_EQ(roundTrip(formula).extra, formula.extra);
}

TEST(RecordRoundTrip, TextsLongerThanTheirCountFieldAreCutToFit)
{
    Workbook::BoundSheet sheet(UnicodeText(std::u16string(300, u'n')));
    EXPECT_EQ(roundTrip(sheet).name.length(), 255u);

    Workbook::SharedStringTable sst;
    const UnicodeText huge(std::u16string(70000, u'h'));
    EXPECT_EQ(sst.add(huge), 0u);
    EXPECT_EQ(sst.indexOf(huge), 0);
    EXPECT_EQ(roundTrip(sst).string(0).length(), 65535u);
}

namespace {

// Random record bytes under the record's own code: a random length field, random data, now
// and then a CONTINUE record after it. Reading must stay inside the bytes, whatever it finds.
template <typename R>
void readGarbage(std::mt19937& random)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> size(0, 300);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bytes(size(random));
        for (auto& b : bytes)
            b = std::uint8_t(byte(random));
        const std::uint16_t code = R().code();
        if (bytes.size() >= 4) {
            bytes[0] = std::uint8_t(code);
            bytes[1] = std::uint8_t(code >> 8);
            if (round % 2)
                bytes[2] = std::uint8_t(bytes.size() / 2), bytes[3] = 0;
            if (round % 4 == 1 && bytes.size() / 2 + 8 <= bytes.size())
                bytes[bytes.size() / 2 + 4] = 0x3C, bytes[bytes.size() / 2 + 5] = 0;
        }
        R record;
        if (record.read(bytes.data(), bytes.size()))
            bytesOf(record); // whatever was read can be written again
    }
}

} // namespace

TEST(RecordRoundTrip, ReadingGarbageStaysInsideTheBytes)
{
    std::mt19937 random(11);
    readGarbage<BOF>(random);
    readGarbage<Workbook::Window1>(random);
    readGarbage<Workbook::Font>(random);
    readGarbage<Workbook::XF>(random);
    readGarbage<Workbook::Style>(random);
    readGarbage<Workbook::BoundSheet>(random);
    readGarbage<Workbook::SharedStringTable>(random);
    readGarbage<Workbook::ExtSST>(random);
    readGarbage<Worksheet::Index>(random);
    readGarbage<Worksheet::Dimensions>(random);
    readGarbage<Worksheet::Window2>(random);
    readGarbage<Worksheet::CellTable::RowBlock::Row>(random);
    readGarbage<Worksheet::CellTable::RowBlock::DBCell>(random);
    readGarbage<CellBlock::BoolErr>(random);
    readGarbage<CellBlock::MulBlank>(random);
    readGarbage<CellBlock::MulRK>(random);
    readGarbage<CellBlock::Number>(random);
    readGarbage<Formula>(random);
    readGarbage<Formula::Array>(random);
    readGarbage<Formula::ShrFmla>(random);
    readGarbage<Formula::Table>(random);
    readGarbage<Formula::String>(random);
}
