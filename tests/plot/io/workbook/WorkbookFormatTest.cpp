#include "ColumnEquality.h"
#include "CurveWorkbook.h"
#include "ImportedX.h"
#include "ImportFormats.h"
#include "QStringPrinter.h"
#include "TablePreview.h"
#include "WorkbookFormat.h"
#include "XlsxTableWriter.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <xlsxwriter.h>
#include <zip.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

const QString kSampleOds = QStringLiteral(KURVO_WORKBOOK_DATA "/sample.ods");

class WorkbookFormatTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WorkbookFormat::registerFormats();
        ASSERT_TRUE(dir.isValid());
    }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    ImportedData read(const QString& file, const QString& sheet = QString(), const TableOptions& options = {}) const
    {
        return ImportFormats::partFormatFor(file)->read(file, sheet, QStringLiteral("book"), false, options);
    }

    // A workbook as a spreadsheet program writes it: a sheet of measurements with a header, a
    // units row, a text column and an empty cell, and a sheet of dates.
    QString writeXlsx() const
    {
        const QString name = path("book.xlsx");
        lxw_workbook* book = workbook_new(QFile::encodeName(name).constData());
        lxw_worksheet* data = workbook_add_worksheet(book, "Data");
        const char* header[] = {"time", "signal", "note"};
        const char* units[] = {"s", "V", ""};
        for (int j = 0; j < 3; ++j) {
            worksheet_write_string(data, 0, lxw_col_t(j), header[j], nullptr);
            worksheet_write_string(data, 1, lxw_col_t(j), units[j], nullptr);
        }
        for (int i = 0; i < 4; ++i) {
            worksheet_write_number(data, lxw_row_t(i + 2), 0, i * 0.5, nullptr);
            if (i != 2)
                worksheet_write_number(data, lxw_row_t(i + 2), 1, 0.1 * (i + 1), nullptr);
            worksheet_write_string(data, lxw_row_t(i + 2), 2, "ok", nullptr);
        }
        lxw_worksheet* dates = workbook_add_worksheet(book, "Dates");
        lxw_format* format = workbook_add_format(book);
        format_set_num_format(format, "yyyy-mm-dd hh:mm:ss");
        worksheet_write_string(dates, 0, 0, "when", nullptr);
        worksheet_write_string(dates, 0, 1, "level", nullptr);
        for (int i = 0; i < 3; ++i) {
            lxw_datetime when = {2024, 3, 1, 12, 0, double(i) * 1.5};
            worksheet_write_datetime(dates, lxw_row_t(i + 1), 0, &when, format);
            worksheet_write_number(dates, lxw_row_t(i + 1), 1, i, nullptr);
        }
        EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
        return name;
    }

    QTemporaryDir dir;
};

const double kGap = std::numeric_limits<double>::quiet_NaN();

TEST_F(WorkbookFormatTest, XlsxSheetsReadAsTextTablesDo)
{
    const QString book = writeXlsx();
    const ImportedData first = read(book);
    ASSERT_EQ(first.y.size(), 1u) << first.log.join('\n').toStdString();
    EXPECT_EQ(first.curveTitles, QStringList{"signal [V]"});
    EXPECT_TRUE(first.x == std::vector<double>({0, 0.5, 1, 1.5}));
    EXPECT_TRUE(first.y[0] == std::vector<double>({0.1, 0.2, kGap, 0.4}));
    EXPECT_TRUE(first.log.contains("Kurvo: Column 3 holds no numbers and is left out"));

    const ImportedData dates = read(book, "Dates");
    ASSERT_EQ(dates.y.size(), 1u);
    EXPECT_TRUE(dates.xIsTime);
    EXPECT_TRUE(dates.x == std::vector<double>({1709294400.0, 1709294401.5, 1709294403.0}));

    const ImportedData missing = read(book, "Nope");
    EXPECT_TRUE(missing.y.empty());
    EXPECT_EQ(missing.log, QStringList{"Kurvo: Can't read " + book + ":Nope (no sheet is named Nope)"});
}

// The Import dialog's choices work on sheets as on text files, and its preview shows them.
TEST_F(WorkbookFormatTest, ImportChoicesApplyToSheets)
{
    const QString book = writeXlsx();
    TableOptions options;
    options.xColumn = QStringLiteral("none");
    options.columns = QStringList{"signal", "time"};
    options.unitsRow = false;
    const ImportedData chosen = read(book, QString(), options);
    ASSERT_EQ(chosen.y.size(), 2u);
    EXPECT_EQ(chosen.curveTitles, QStringList({"signal", "time"}));
    EXPECT_TRUE(xOf(chosen) == std::vector<double>({0, 1, 2, 3}));

    const TablePreview preview = TablePreview::ofFile(book + ":Dates", TableOptions());
    EXPECT_TRUE(preview.problem.isEmpty()) << preview.problem.toStdString();
    ASSERT_EQ(preview.rows.size(), 3u);
    EXPECT_EQ(preview.rows[1], QStringList({"2024-03-01T12:00:01.500", "1"}));
    EXPECT_EQ(TablePreview::ofFile(book + ":Nope", TableOptions()).problem,
              "Kurvo: Can't read " + book + ":Nope (no sheet is named Nope)");
}

// Repeated cells and rows, a units row, an empty cell and a note in a cell.
TEST_F(WorkbookFormatTest, OdsSheets)
{
    const ImportedData measured = read(kSampleOds);
    ASSERT_EQ(measured.y.size(), 1u) << measured.log.join('\n').toStdString();
    EXPECT_EQ(measured.curveTitles, QStringList{"signal [mV]"});
    EXPECT_TRUE(measured.x == std::vector<double>({0, 0.5, 1, 1}));
    EXPECT_TRUE(measured.y[0] == std::vector<double>({1.5, kGap, 2.25, 2.25}));
    const ImportedData dated = read(kSampleOds, "Dated");
    EXPECT_TRUE(dated.xIsTime);
    EXPECT_TRUE(dated.x == std::vector<double>({1709294400.0, 1709294401.5}));
    EXPECT_TRUE(dated.y[0] == std::vector<double>({3, 4}));
    std::vector<DataPart> sheets;
    QString reason;
    ASSERT_TRUE(ImportFormats::partFormatFor(kSampleOds)->parts(kSampleOds, sheets, reason));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[1].name, "Dated");
}

// The curve menu's Excel entry writes the old format; FreeXL reads it back to the same curve.
TEST_F(WorkbookFormatTest, AnXlsKurvoExportedReadsBackIntoTheSameCurve)
{
    const std::vector<double> x = {0, 0.25, 0.5, 1e-300};
    const std::vector<double> y = {1.0 / 3, -2, DBL_MAX, 0.1 + 0.2};
    int sheets = 0;
    const QString name = path("curve.xls");
    ASSERT_TRUE(Xls::writeCurve(QFile::encodeName(name).toStdString(), "data.3", x.data(), y.data(), x.size(), sheets));
    const ImportedData back = read(name);
    ASSERT_EQ(back.y.size(), 1u) << back.log.join('\n').toStdString();
    EXPECT_TRUE(back.x == x);
    EXPECT_TRUE(back.y[0] == y);
    EXPECT_EQ(read(name, "SHEET 1").y.size(), 1u);
}

// Every value comes back to the last bit; a gap stays empty and an infinity is its text.
TEST_F(WorkbookFormatTest, XlsxWrittenReadsBackExactly)
{
    const std::vector<double> x = {0.1 + 0.2, DBL_MAX, 5e-324, -0.0, 123456789012345678.0};
    const std::vector<double> y = {1.0 / 3, kGap, std::numeric_limits<double>::infinity(), 2.0 / 3};
    const QString name = path("table.xlsx");
    QString error;
    ASSERT_TRUE(XlsxTableWriter::write(name, {{"x", x.data(), x.size()}, {"y [V]", y.data(), y.size()}}, x.size(), error))
        << error.toStdString();
    const ImportedData back = read(name);
    ASSERT_EQ(back.y.size(), 1u) << back.log.join('\n').toStdString();
    EXPECT_EQ(back.curveTitles, QStringList{"y [V]"});
    EXPECT_TRUE(back.x == x);
    EXPECT_TRUE(back.y[0] == std::vector<double>({1.0 / 3, kGap, std::numeric_limits<double>::infinity(), 2.0 / 3, kGap}));

    // A reader of its own finds the same numbers in the number cells.
    QProcess python;
    python.start("/usr/bin/python3", {"-c", "import openpyxl,sys; ws=openpyxl.load_workbook(sys.argv[1]).active; "
                                   "print(' '.join(repr(c.value) for c in ws['A'][1:]))",
                             name});
    ASSERT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.readAllStandardOutput().trimmed().toStdString(),
              "0.30000000000000004 1.7976931348623157e+308 5e-324 0 123456789012345680");
}

// Past a sheet's last row the table goes on, under its header, on the next sheet: a sheet of
// four rows holds three values, a sheet of 1,048,576 rows 1,048,575.
TEST_F(WorkbookFormatTest, XlsxSheetsContinue)
{
    const std::vector<double> x = {0, 1, 2, 3, 4, 5, 6};
    const QString name = path("long.xlsx");
    QString error;
    ASSERT_TRUE(XlsxTableWriter::write(name, {{"x", x.data(), 7}, {"y", x.data(), 5}}, 7, error, 4));
    const struct {
        const char* sheet;
        std::vector<double> x;
        std::vector<double> y;
    } sheets[] = {{"Sheet1", {0, 1, 2}, {0, 1, 2}}, {"Sheet2", {3, 4, 5}, {3, 4, kGap}}};
    for (const auto& sheet : sheets) {
        TableOptions options;
        options.xColumn = QStringLiteral("x");
        options.columns = QStringList{"y"};
        const ImportedData part = read(name, sheet.sheet, options);
        ASSERT_EQ(part.y.size(), 1u) << part.log.join('\n').toStdString();
        EXPECT_TRUE(part.x == sheet.x) << sheet.sheet;
        EXPECT_TRUE(part.y[0] == sheet.y) << sheet.sheet;
    }
    EXPECT_TRUE(read(name, "Sheet3").y[0] == std::vector<double>{6});
    EXPECT_FALSE(XlsxTableWriter::write(name, {{"x", x.data(), 7}}, 7, error, XlsxTableWriter::kSheetRows + 1));

    const std::size_t rows = XlsxTableWriter::kSheetRows;
    std::vector<double> many(rows);
    for (std::size_t i = 0; i < rows; ++i)
        many[i] = double(i);
    ASSERT_TRUE(XlsxTableWriter::write(name, {{"x", many.data(), rows}}, rows, error));
    EXPECT_TRUE(read(name, "Sheet2").y.at(0) == std::vector<double>({double(rows - 1)}));
}

QString withEntry(const QString& name, const char* entry, const std::string& text)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(name).constData(), 0, &code);
    zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
    zip_file_add(archive, entry, source, ZIP_FL_OVERWRITE);
    zip_close(archive);
    return name;
}

// Damaged and hostile files are refused with the reason, and nothing is read from them.
TEST_F(WorkbookFormatTest, DamagedWorkbooksAreRefused)
{
    const QString good = writeXlsx();
    QFile::copy(good, path("cut.xlsx"));
    QFile cut(path("cut.xlsx"));
    ASSERT_TRUE(cut.resize(cut.size() / 2));
    QFile::copy(good, path("bad-sheet.xlsx"));
    withEntry(path("bad-sheet.xlsx"), "xl/worksheets/sheet1.xml", "<worksheet><sheetData><row><c><v>1</v></c></row><row");
    QFile::copy(good, path("no-book.xlsx"));
    withEntry(path("no-book.xlsx"), "xl/workbook.xml", "<workbook><sheets/></workbook>");
    QFile text(path("text.ods"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("time,signal\n0,1\n");
    text.close();
    QFile::copy(path("text.ods"), path("text.xls"));
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"cut.xlsx", ""},
        {"bad-sheet.xlsx", "xl/worksheets/sheet1.xml is not well-formed XML"},
        {"no-book.xlsx", "the workbook has no worksheet"},
        {"text.ods", "not a ZIP archive"},
        {"text.xls", ""},
    };
    for (const auto& c : cases) {
        const ImportedData refused = read(path(c.file));
        EXPECT_TRUE(refused.y.empty()) << c.file;
        ASSERT_EQ(refused.log.size(), 1) << c.file;
        EXPECT_TRUE(refused.log[0].startsWith("Kurvo: Can't read " + path(c.file) + " (" + c.reason))
            << refused.log[0].toStdString();
    }
}

} // namespace
