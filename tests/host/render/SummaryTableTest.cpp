#include "SummaryTable.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

BatchResult result(const QString& name, bool ok, const BatchResult::Figures& statistics,
                   const BatchResult::Figures& figures = {})
{
    BatchResult r;
    r.input = name + QStringLiteral(".csv");
    r.name = name;
    r.ok = ok;
    r.reason = ok ? QString() : QStringLiteral("cannot read ") + r.input;
    r.statistics = statistics;
    r.figures = figures;
    return r;
}

// A column holds what any input gave, in the order first given; a failed input leaves its
// fields empty rather than shifting the others.
TEST(SummaryTableTest, ColumnsAreTheUnionOfWhatTheInputsGave)
{
    std::vector<BatchResult> results{result("a", false, {}),
                                     result("b", true, {{"Minimum", "-1"}, {"Samples", "3"}}, {{"tone_1_hz", "50"}}),
                                     result("c", true, {{"Minimum", "0.5"}, {"Samples", "4"}},
                                            {{"tone_1_hz", "60"}, {"tone_2_hz", "120"}})};
    results[1].peaksAsked = true;
    results[1].positivePeaks = QStringList{"p1", "p2"};
    const SummaryTable table(results);
    EXPECT_EQ(table.header(), (QStringList{"name", "file", "status", "reason", "Minimum", "Samples", "positive_peaks",
                                           "negative_peaks", "tone_1_hz", "tone_2_hz"}));
    ASSERT_EQ(table.rows().size(), 3u);
    EXPECT_EQ(table.rows()[0], (QStringList{"a", "a.csv", "failed", "cannot read a.csv", "", "", "", "", "", ""}));
    EXPECT_EQ(table.rows()[1], (QStringList{"b", "b.csv", "ok", "", "-1", "3", "2", "0", "50", ""}));
    EXPECT_EQ(table.rows()[2], (QStringList{"c", "c.csv", "ok", "", "0.5", "4", "", "", "60", "120"}));
}

TEST(SummaryTableTest, FieldsWithSeparatorsOrQuotesAreQuoted)
{
    QTemporaryDir dir;
    BatchResult odd = result("a,\"b\"", false, {});
    odd.reason = QStringLiteral("line one\nline two");
    QString error;
    ASSERT_TRUE(SummaryTable({odd}).write(dir.filePath("s.csv"), error)) << error.toStdString();
    QFile file(dir.filePath("s.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("name,file,status,reason\n\"a,\"\"b\"\"\",\"a,\"\"b\"\".csv\",failed,"
                                         "\"line one\nline two\"\n"));
}

TEST(SummaryTableTest, AFileThatCannotBeWrittenIsSaid)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(SummaryTable({}).write(dir.filePath("none/s.csv"), error));
    EXPECT_TRUE(error.startsWith("cannot write the summary ")) << error.toStdString();
}

} // namespace
