#include "OdsContentReader.h"
#include "SharedStringsReader.h"
#include "SheetXmlReader.h"
#include "XlsxWorkbook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string sheet(const std::string& rows)
{
    return "<?xml version=\"1.0\"?><worksheet xmlns=\"m\"><sheetData>" + rows + "</sheetData><x>" + "</x></worksheet>";
}

// Styles 1 and 2 show dates and times, style 0 plain numbers.
SheetContext context()
{
    SheetContext c;
    c.sharedStrings = {"time", "a\tb", "\"quoted\" name"};
    c.styles = {CellText::Shown::Number, CellText::Shown::Date, CellText::Shown::Time};
    return c;
}

std::string textOf(const std::string& xml, const SheetContext& c = context(), std::size_t maxLines = SheetXmlReader::kMaxRows)
{
    std::string text;
    EXPECT_TRUE(SheetXmlReader::read(xml, c, text, maxLines)) << xml;
    return text;
}

TEST(SheetXmlReaderTest, CellsBecomeTheFieldsOfTextLines)
{
    const struct {
        const char* rows;
        const char* text;
    } cases[] = {
        {R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1"><v>1.5E-3</v></c></row>)", "time\t1.5E-3\n"},
        // Sparse: rows and cells not written stand empty where they are.
        {R"(<row r="2"><c r="C2"><v>7</v></c></row><row r="4"><c r="A4"><v>1</v></c></row>)", "\n\t\t7\n\n1\n"},
        {R"(<row><c><v>1</v></c><c><v>2</v></c></row><row><c><v>3</v></c></row>)", "1\t2\n3\n"},
        {R"(<row r="1"><c r="A1" t="inlineStr"><is><r><t>Sig</t></r><r><t xml:space="preserve">nal &amp; </t></r><rPh><t>x</t></rPh></is></c></row>)",
         "Signal & \n"},
        {R"(<row r="1"><c r="A1" t="s"><v>1</v></c><c r="B1" t="s"><v>2</v></c><c r="C1" t="s"><v>9</v></c></row>)",
         "a b\t\"\"\"quoted\"\" name\"\t\n"},
        {R"(<row r="1"><c r="A1" t="b"><v>1</v></c><c r="B1" t="e"><v>#N/A</v></c><c r="C1" t="str"><f>A1</f><v>x</v></c></row>)",
         "TRUE\t#N/A\tx\n"},
        {R"(<row r="1"><c r="A1" s="1"><v>45352.5</v></c><c r="B1" s="1"><v>45352</v></c><c r="C1" s="2"><v>0.75</v></c></row>)",
         "2024-03-01T12:00:00.000\t2024-03-01\t18:00:00.000\n"},
        {R"(<row r="1"><c r="A1" s="1"><v>-1</v></c><c r="B1" s="7"><v>2</v></c><c r="C1" t="d"><v>2024-01-02T03:04:05</v></c></row>)",
         "-1\t2\t2024-01-02T03:04:05\n"},
        // A cell left of one written, a row beyond the last one, an empty cell: left out.
        {R"(<row r="1"><c r="B1"><v>2</v></c><c r="A1"><v>1</v></c><c r="C1"/></row><row r="1048577"><c><v>9</v></c></row>)",
         "\t2\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textOf(sheet(c.rows)), c.text) << c.rows;
}

// The last column is XFD; one beyond it is left out.
TEST(SheetXmlReaderTest, LastColumn)
{
    const std::string text = textOf(sheet(R"(<row r="1"><c r="XFD1"><v>1</v></c><c r="XFE1"><v>2</v></c></row>)"));
    EXPECT_TRUE(text == std::string(16383, '\t') + "1\n") << text.size();
}

// Serial 1 is 1900-01-01 and 60 the 29 February 1900 those workbooks count; from 61 on the days
// are true. The 1904 system counts from 1904-01-01.
TEST(SheetXmlReaderTest, DatesOfBothSystems)
{
    const struct {
        double serial;
        bool date1904;
        const char* text;
    } cases[] = {
        {1, false, "1900-01-01"},        {59, false, "1900-02-28"},  {61, false, "1900-03-01"},
        {25569, false, "1970-01-01"},    {0, true, "1904-01-01"},    {45352.25, false, "2024-03-01T06:00:00.000"},
        {2958465, false, "9999-12-31"},
    };
    for (const auto& c : cases) {
        std::string text;
        ASSERT_TRUE(CellText::appendSerialDate(c.serial, CellText::Shown::Date, c.date1904, text)) << c.serial;
        EXPECT_EQ(text, c.text) << c.serial;
    }
    std::string none;
    EXPECT_FALSE(CellText::appendSerialDate(2958466, CellText::Shown::Date, false, none));
    EXPECT_FALSE(CellText::appendSerialDate(-0.5, CellText::Shown::Time, false, none));
    EXPECT_TRUE(CellText::appendSerialDate(0.999999999, CellText::Shown::Time, false, none));
    EXPECT_EQ(none, "1900-01-01T00:00:00.000") << "a time that rounds to midnight is the next day";
}

TEST(SheetXmlReaderTest, NumberFormatsShowDatesTimesOrNumbers)
{
    using S = CellText::Shown;
    const struct {
        int id;
        const char* code;
        S shown;
    } cases[] = {
        {0, "", S::Number},          {14, "", S::Date},         {22, "", S::Date},        {20, "", S::Time},
        {47, "", S::Time},           {49, "", S::Number},       {164, "yyyy-mm-dd", S::Date},
        {165, "[h]:mm:ss", S::Time}, {166, "0.00\" days\"", S::Number}, {167, "[$-409]mmm d", S::Date},
        {168, "#,##0;[Red]-#,##0", S::Number},                  {169, "hh:mm AM/PM", S::Time},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XlsxWorkbook::shownBy(c.id, c.code), c.shown) << c.id << ' ' << c.code;
}

// The XML may come in pieces cut anywhere: the text is the same as from the whole.
TEST(SheetXmlReaderTest, PiecesCutAnywhereGiveTheSameText)
{
    const std::string xml = sheet(R"(<row r="1"><c r="A1" t="inlineStr"><is><t>x&lt;1</t></is></c>)"
                                  R"(<c r="B1" s="1"><v>45352.5</v></c><!-- a > b --><c r="C1"><![CDATA[]]><v>3</v></c></row>)"
                                  R"(<row r="3" spans="1:3"><c r='B3'><v>4</v></c></row>)");
    const std::string whole = textOf(xml);
    const SheetContext c = context();
    for (std::size_t piece : {1, 2, 7, 64}) {
        std::string text;
        SheetXmlReader reader(c, text);
        std::string pending;
        for (std::size_t at = 0; at < xml.size(); at += piece) {
            pending += xml.substr(at, piece);
            pending.erase(0, reader.scan(pending, false));
        }
        reader.scan(pending, true);
        EXPECT_FALSE(reader.failed());
        EXPECT_EQ(text, whole) << piece;
    }
}

TEST(SheetXmlReaderTest, StopsAtTheLinesAskedFor)
{
    const std::string xml = sheet(R"(<row><c><v>1</v></c></row><row r="5"><c><v>2</v></c></row>)");
    EXPECT_EQ(textOf(xml, context(), 1), "1\n");
    EXPECT_EQ(textOf(xml, context(), 3), "1\n\n\n");
}

TEST(SheetXmlReaderTest, MalformedXmlIsRefused)
{
    for (const char* xml : {"<a><b x=1></b></a>", "<a><b x=\"1\"", "<a></ b>", "<a>< b/></a>", "<a><b/ ></a>"}) {
        std::string text;
        EXPECT_FALSE(SheetXmlReader::read(xml, context(), text)) << xml;
    }
}

TEST(SheetXmlReaderTest, SharedStringsJoinRunsWithoutPhoneticGuides)
{
    std::vector<std::string> strings;
    SharedStringsReader reader(strings);
    const std::string xml = R"(<sst><si><t>plain</t></si><si><r><t>a</t></r><r><t>b&#x263A;</t></r><rPh><t>p</t></rPh></si><si/></sst>)";
    reader.scan(xml, true);
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(strings, (std::vector<std::string>{"plain", "ab\xE2\x98\xBA", ""}));
}

std::string odsText(const std::string& sheetName, const std::string& tables)
{
    std::string text;
    OdsContentReader reader(sheetName, text);
    reader.scan("<office:document-content><office:body><office:spreadsheet>" + tables
                    + "</office:spreadsheet></office:body></office:document-content>",
                true);
    EXPECT_FALSE(reader.failed());
    return text;
}

// Repeated cells and rows are written out where data follow them; those that fill the sheet to
// its end are not.
TEST(SheetXmlReaderTest, OpenDocumentCellsAndRepeats)
{
    const std::string table =
        R"(<table:table table:name="One"><table:table-row><table:table-cell office:value-type="string"><text:p>t</text:p><text:p>x<text:s text:c="2"/>y</text:p></table:table-cell>)"
        R"(<table:table-cell table:number-columns-repeated="2"/><table:table-cell office:value-type="float" office:value="0.1"><text:p>0,1</text:p></table:table-cell>)"
        R"(<table:table-cell table:number-columns-repeated="16000"/></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="2"><table:table-cell office:value-type="date" office:date-value="2024-03-01T12:00:00"/>)"
        R"(<table:table-cell office:value-type="time" office:time-value="PT01H02M03.5S"><office:annotation><text:p>note</text:p></office:annotation></table:table-cell>)"
        R"(<table:table-cell office:value-type="boolean" office:boolean-value="true"/></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="1048000"><table:table-cell/></table:table-row></table:table>)"
        R"(<table:table table:name="Two"><table:table-row><table:table-cell office:value-type="percentage" office:value="0.5"/></table:table-row></table:table>)";
    EXPECT_EQ(odsText("", table), "t x  y\t\t\t0.1\n2024-03-01T12:00:00\t01:02:03.500\tTRUE\n"
                                  "2024-03-01T12:00:00\t01:02:03.500\tTRUE\n");
    EXPECT_EQ(odsText("Two", table), "0.5\n");
    std::string text;
    OdsContentReader reader("Three", text);
    reader.scan("<office:spreadsheet>" + table + "</office:spreadsheet>", true);
    EXPECT_FALSE(reader.found());
    EXPECT_EQ(reader.sheetNames(), (std::vector<std::string>{"One", "Two"}));
}

} // namespace
