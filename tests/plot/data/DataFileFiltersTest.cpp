#include "DataFileFilters.h"
#include "ImportFormats.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(DataFileFiltersTest, EveryDataFileFirstThenFormatsThenEveryFile)
{
    const QStringList filters = DataFileFilters::list();
    ASSERT_GE(filters.size(), 3);
    EXPECT_TRUE(filters.front().startsWith("All data files (*.adf *.aiff *.au *.snd *.csv *.dat *.dif ")) << filters.front().toStdString();
    EXPECT_TRUE(filters.front().endsWith(" *.nc *.nc4)")) << filters.front().toStdString();
    EXPECT_EQ(filters[1], "Array data format (*.adf)");
    EXPECT_EQ(filters.back(), "All files (*)");
    EXPECT_EQ(filters.size(), ImportFormats::rows().size() + 1);
}

// Headerless audio is refused by its reader, so no filter leads to it.
TEST(DataFileFiltersTest, RawAudioIsNotOffered)
{
    for (const QString& filter : DataFileFilters::list()) {
        EXPECT_FALSE(filter.contains("Raw audio")) << filter.toStdString();
        EXPECT_FALSE(filter.contains("*.raw")) << filter.toStdString();
        EXPECT_FALSE(filter.contains("*.pcm")) << filter.toStdString();
    }
}

TEST(DataFileFiltersTest, ExtraPatternsComeFirstAndOnce)
{
    const QString all = DataFileFilters::allDataFiles({"*.kurvo", "*.csv"});
    EXPECT_TRUE(all.startsWith("All data files (*.kurvo *.csv *.adf ")) << all.toStdString();
    EXPECT_EQ(all.count("*.csv"), 1);
}

} // namespace
