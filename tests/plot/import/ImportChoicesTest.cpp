#include "QStringPrinter.h"
#include "TablePreview.h"
#include "import/ImportChoices.h"

#include <gtest/gtest.h>

namespace {

TEST(ImportChoicesTest, Separators)
{
    const char expected[] = {0, '\t', ';', ',', '|', ' ', ':'};
    ASSERT_EQ(ImportChoices::separatorItems().size(), int(sizeof expected));
    for (int i = 0; i < int(sizeof expected); ++i)
        EXPECT_EQ(ImportChoices::separatorAt(i), expected[i]) << i;
    EXPECT_EQ(ImportChoices::separatorAt(-1), 0);
    EXPECT_EQ(ImportChoices::separatorAt(7), 0);
    EXPECT_EQ(ImportChoices::automaticSeparator('\t'), "Automatic (TAB)");
    EXPECT_EQ(ImportChoices::automaticSeparator(' '), "Automatic (Blanks)");
    EXPECT_EQ(ImportChoices::automaticSeparator('|'), "Automatic (|)");
    EXPECT_EQ(ImportChoices::automaticSeparator(0), "Automatic");
}

struct FoundCase {
    int header;
    int units;
    std::size_t data;
    int skip;
    const char* text;
};

TEST(ImportChoicesTest, FoundLinesAreCountedInTheFile)
{
    const FoundCase cases[] = {
        {1, 2, 3, -1, "Header in line 2, units in line 3, data from line 4, line 1 skipped"},
        {TableShape::kNone, TableShape::kNone, 0, -1, "No header, data from line 1"},
        {TableShape::kNone, TableShape::kNone, 0, 1, "No header, data from line 2, line 1 skipped"},
        {0, TableShape::kNone, 1, 2, "Header in line 3, data from line 4, lines 1-2 skipped"},
        {0, TableShape::kNone, 1, 0, "Header in line 1, data from line 2"},
    };
    for (const FoundCase& c : cases) {
        TablePreview preview;
        preview.shape.kinds = {TableField::Kind::Number};
        preview.shape.headerLine = c.header;
        preview.shape.unitsLine = c.units;
        preview.shape.firstDataLine = c.data;
        EXPECT_EQ(ImportChoices::found(preview, c.skip), c.text);
    }
    TablePreview nothing;
    nothing.problem = "Kurvo: No numbers found";
    EXPECT_EQ(ImportChoices::found(nothing, -1), "No table found");
}

TEST(ImportChoicesTest, DecimalCommaOnlyWhereNumbersHoldOne)
{
    TablePreview preview;
    preview.shape.separator = ';';
    preview.shape.reading.decimalComma = true;
    preview.shape.kinds = {TableField::Kind::Text, TableField::Kind::Number};
    preview.rows = {{"a,b", "1.5"}};
    EXPECT_EQ(ImportChoices::automaticDecimal(preview), "Automatic (Point)");
    preview.rows.push_back({"c", "2,5"});
    EXPECT_EQ(ImportChoices::automaticDecimal(preview), "Automatic (Comma)");
    preview.shape.reading.decimalComma = false;
    EXPECT_EQ(ImportChoices::automaticDecimal(preview), "Automatic (Point)");
    preview.problem = "Kurvo: No numbers found";
    EXPECT_EQ(ImportChoices::automaticDecimal(preview), "Automatic");
}

} // namespace
