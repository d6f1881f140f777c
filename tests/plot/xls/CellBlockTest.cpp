#include "Cell.h"
#include "RecordScan.h"
#include "RkNumber.h"
#include "Workbook.h"
#include "Worksheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Xls;

namespace {

const std::uint16_t rkCode = 0x027E;
const std::uint16_t mulRkCode = 0x00BD;
const std::uint16_t numberCode = 0x0203;
const std::uint16_t labelSstCode = 0x00FD;
const std::uint16_t boolErrCode = 0x0205;

// The cell records of row 0 of a one-sheet workbook whose first row holds `values` from
// column A on.
std::vector<ScannedRecord> rowRecords(const std::vector<double>& values)
{
    Workbook book;
    Worksheet* sheet = book.worksheet(std::size_t(0));
    for (std::size_t c = 0; c < values.size(); ++c)
        sheet->cell(0, int(c))->setDouble(values[c]);
    std::vector<std::uint8_t> stream;
    EXPECT_TRUE(book.workbookStream(stream));
    std::vector<ScannedRecord> cells;
    for (const ScannedRecord& record : scanSubstream(stream, sheetPositions(stream).at(0)))
        if (record.code == rkCode || record.code == mulRkCode || record.code == numberCode
            || record.code == labelSstCode || record.code == boolErrCode)
            cells.push_back(record);
    return cells;
}

std::vector<std::uint16_t> codes(const std::vector<ScannedRecord>& records)
{
    std::vector<std::uint16_t> result;
    for (const ScannedRecord& record : records)
        result.push_back(record.code);
    return result;
}

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

TEST(CellRecordChoice, SingleNumbers)
{
    auto records = rowRecords({12.34});
    ASSERT_EQ(codes(records), std::vector<std::uint16_t>{rkCode});
    EXPECT_EQ(le32(records[0].data, 6), 0x40934801u);

    records = rowRecords({5.0});
    ASSERT_EQ(codes(records), std::vector<std::uint16_t>{rkCode});
    EXPECT_EQ(le32(records[0].data, 6), 0x40140000u);

    records = rowRecords({0.125});
    ASSERT_EQ(codes(records), std::vector<std::uint16_t>{rkCode});
    EXPECT_EQ(decodeRk(le32(records[0].data, 6)), 0.125);

    for (double value : {123456.78, 1e300, 0.1 + 0.2}) {
        records = rowRecords({value});
        ASSERT_EQ(codes(records), std::vector<std::uint16_t>{numberCode}) << value;
        EXPECT_EQ(bitsOf(leDouble(records[0].data, 6)), bitsOf(value));
        EXPECT_EQ(le16(records[0].data, 0), 0);  // row
        EXPECT_EQ(le16(records[0].data, 2), 0);  // column
        EXPECT_EQ(le16(records[0].data, 4), 15); // the default cell XF
    }
}

TEST(CellRecordChoice, NeighbouringRkNumbersShareOneMulRk)
{
    for (double second : {2.0, 2.5}) {
        const auto records = rowRecords({1.0, second});
        ASSERT_EQ(codes(records), std::vector<std::uint16_t>{mulRkCode});
        const auto& data = records[0].data;
        ASSERT_EQ(data.size(), 6u + 2 * 6u);
        EXPECT_EQ(le16(data, 2), 0); // first column
        EXPECT_EQ(le16(data, 4), 15);
        EXPECT_EQ(decodeRk(le32(data, 6)), 1.0);
        EXPECT_EQ(le16(data, 10), 15);
        EXPECT_EQ(decodeRk(le32(data, 12)), second);
        EXPECT_EQ(le16(data, 16), 1); // last column
    }
}

TEST(CellRecordChoice, RunsBreakAtNumbersWithoutRkAndAtGaps)
{
    EXPECT_EQ(codes(rowRecords({1, 123456.78, 3})), (std::vector<std::uint16_t>{rkCode, numberCode, rkCode}));
    EXPECT_EQ(codes(rowRecords({1, 2, 3, 1e300, 4, 5})), (std::vector<std::uint16_t>{mulRkCode, numberCode, mulRkCode}));

    Workbook book;
    Worksheet* sheet = book.worksheet(std::size_t(0));
    sheet->cell(0, 0)->setDouble(1);
    sheet->cell(0, 1); // addressed, but empty: no record, and the run ends
    sheet->cell(0, 2)->setInteger(3);
    sheet->cell(0, 3)->setText("label");
    sheet->cell(0, 4)->setInteger(-7);
    std::vector<std::uint8_t> stream;
    ASSERT_TRUE(book.workbookStream(stream));
    std::vector<std::uint16_t> found;
    for (const auto& record : scanSubstream(stream, sheetPositions(stream).at(0)))
        if (record.code == rkCode || record.code == mulRkCode || record.code == labelSstCode)
            found.push_back(record.code);
    EXPECT_EQ(found, (std::vector<std::uint16_t>{rkCode, rkCode, labelSstCode, rkCode}));
}

// NaN and the infinities have RKs, but readers show a number cell holding them as anything
// from an error to nothing: they are the error cell #NUM!. An RK of -0 some read as 0.
TEST(CellRecordChoice, NonFiniteNumbersAreTheErrorNumAndMinusZeroANumber)
{
    const double inf = std::numeric_limits<double>::infinity();
    const auto records = rowRecords({1, std::nan(""), 2, inf, -inf, 3, -0.0, 4});
    ASSERT_EQ(codes(records), (std::vector<std::uint16_t>{rkCode, boolErrCode, rkCode, boolErrCode, boolErrCode,
                                                          rkCode, numberCode, rkCode}));
    for (std::size_t column : {1, 3, 4}) {
        const auto& data = records[column].data;
        ASSERT_EQ(data.size(), 8u);
        EXPECT_EQ(le16(data, 2), column);
        EXPECT_EQ(le16(data, 4), 15);
        EXPECT_EQ(data[6], 0x24) << "the error code of #NUM!";
        EXPECT_EQ(data[7], 1) << "an error, not a Boolean";
    }
    EXPECT_EQ(bitsOf(leDouble(records[6].data, 6)), bitsOf(-0.0));
}

// Whichever record a number goes into, it reads back as the same double.
TEST(CellRecordChoice, EveryNumberReadsBackExactly)
{
    const std::vector<double> values = {0,     -0.0,   1,       12.34,  -12.34, 123456.78, 1e300,
                                        -1e-300, 0.001, 2.5,     1e9,    65536,  1.0 / 3.0,
                                        std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min()};
    std::vector<double> decoded;
    for (const ScannedRecord& record : rowRecords(values)) {
        if (record.code == numberCode)
            decoded.push_back(leDouble(record.data, 6));
        else if (record.code == rkCode)
            decoded.push_back(decodeRk(le32(record.data, 6)));
        else
            for (std::size_t at = 4; at + 2 < record.data.size(); at += 6)
                decoded.push_back(decodeRk(le32(record.data, at + 2)));
    }
    ASSERT_EQ(decoded.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(bitsOf(decoded[i]), bitsOf(values[i])) << "value " << values[i];
}
