#include "ColumnCurves.h"
#include "ColumnEquality.h"
#include "DataSource.h"
#include "ImportFormats.h"
#include "ImportedX.h"
#include "PartFormat.h"
#include "QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class NoParts : public PartFormat
{
public:
    bool asksForParts() const override { return false; }
    bool parts(const QString&, std::vector<DataPart>&, QString&) const override { return true; }
    ImportedData read(const QString&, const QString&, const QString&, bool, const TableOptions&) const override
    {
        return {};
    }
};

// A name is split at the first ':' after the suffix of a format with parts, unless the whole
// name is a file; of several splits, one naming an existing file wins.
TEST(DataSourceTest, SplitsOnlyAfterTheSuffixOfAFormatWithParts)
{
    static const NoParts format;
    ImportFormats::setPartFormat(".h5", &format);
    QTemporaryDir dir;
    const QString base = dir.path() + "/";
    for (const char* name : {"a.h5", "odd:name.h5:x", "b.h5:c.h5"}) {
        QFile file(base + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
    }
    const struct {
        QString input;
        QString file;
        QString part;
    } cases[] = {
        {"x.h5:/g/set", "x.h5", "/g/set"},
        {"x.H5:set:with:colons", "x.H5", "set:with:colons"},
        {"x.txt:part", "x.txt:part", ""},
        {"x.h5", "x.h5", ""},
        {"C:/data/x.h5:/s", "C:/data/x.h5", "/s"},
        {base + "odd:name.h5:x", base + "odd:name.h5:x", ""},
        {base + "b.h5:c.h5:/s", base + "b.h5:c.h5", "/s"},
        {base + "a.h5:", base + "a.h5", ""},
    };
    for (const auto& c : cases) {
        const DataSource source = DataSource::of(c.input);
        EXPECT_EQ(source.file, c.file) << c.input.toStdString();
        EXPECT_EQ(source.part, c.part) << c.input.toStdString();
    }
    EXPECT_EQ((DataSource{"f.h5", "/s"}).text(), "f.h5:/s");
    ImportFormats::setPartFormat(".h5", nullptr);
    EXPECT_EQ(DataSource::of("x.h5:/s").file, "x.h5:/s");
}

std::vector<ColumnCurves::Column> threeColumns()
{
    return {{"t", {0, 1, 2}}, {"a", {5, 6, 7}}, {"b", {8, 9, 10}}};
}

TEST(ColumnCurvesTest, ColumnsChosenAsATablesAre)
{
    const struct {
        const char* x;
        QStringList columns;
        std::vector<double> xs;
        QStringList titles;
        const char* problem;
    } cases[] = {
        {"", {}, {0, 1, 2}, {"a", "b"}, ""},
        {"none", {}, {0, 1, 2}, {"t", "a", "b"}, ""},
        {"B", {"t"}, {8, 9, 10}, {"t"}, ""},
        {"", {"3", "2"}, {0, 1, 2}, {"b", "a"}, ""},
        {"4", {}, {}, {}, "Kurvo: Column 4 is not in the table, which has 3 columns"},
        {"", {"c"}, {}, {}, "Kurvo: No column named c"},
    };
    for (const auto& c : cases) {
        TableOptions options;
        options.xColumn = c.x;
        options.columns = c.columns;
        const ImportedData data = ColumnCurves::make(threeColumns(), true, "d", false, options);
        EXPECT_TRUE(xOf(data) == c.xs) << c.x;
        EXPECT_EQ(data.curveTitles, c.titles) << c.x;
        if (*c.problem) {
            EXPECT_EQ(data.log, QStringList{c.problem});
        }
    }
    const ImportedData cut = ColumnCurves::make(threeColumns(), false, "d", true, {});
    EXPECT_TRUE(xOf(cut) == std::vector<double>({0, 1}));
    EXPECT_EQ(cut.y.size(), 3u);
    EXPECT_EQ(cut.range.xMax, 1.0);
}

// One x and fifteen curves at most, as tables have always been read.
TEST(ColumnCurvesTest, SixteenColumnsAtMost)
{
    std::vector<ColumnCurves::Column> columns;
    for (int j = 0; j < 18; ++j)
        columns.push_back({QString::number(j), {double(j)}});
    const ImportedData data = ColumnCurves::make(columns, true, "d", false, {});
    EXPECT_EQ(data.y.size(), 15u);
    EXPECT_TRUE(data.log.contains("Kurvo: 2 columns beyond the sixteenth are left out"));
}

} // namespace
