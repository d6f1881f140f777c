#include "FileReaders.h"
#include "ImportFormats.h"

#include <gtest/gtest.h>

namespace {

TEST(ImportFormatsTest, DispatchBySuffixInAnyCase)
{
    const struct {
        const char* path;
        FileReader kind;
    } cases[] = {
        {"Data.WAV", readAudioFile},  {"x.sf", readAudioFile},    {"a/b.AiFf", readAudioFile},
        {"x.au", readAudioFile},      {"x.mat", readAudioFile},   {"x.Snd", readAudioFile},
        {"x.adf", readArrayFile},     {"X.ADF", readArrayFile},   {"x.aif", readTextFile},
        {"x.dif", readTextFile},      {"x.csv", readTextFile},    {"x.asf", readTextFile},
        {"wav", readTextFile},        {"a.wav/b.txt", readTextFile},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImportFormats::readerFor(c.path), c.kind) << c.path;
}

// Every suffix a filter names goes to its own row's reader, so the dialog never offers a file
// that another reader would take.
TEST(ImportFormatsTest, FiltersNameTheSuffixesOfTheirReader)
{
    const auto& rows = ImportFormats::rows();
    ASSERT_EQ(rows.size(), 15u);
    EXPECT_EQ(ImportFormats::filters().size(), 15);
    EXPECT_EQ(ImportFormats::suffixes(rows[10]), QStringList({".raw", ".pcm", ".sam"}));
    EXPECT_EQ(ImportFormats::suffixes(rows[4]), QStringList{".dat"});
    int suffixCount = 0;
    for (const ImportFormat& row : rows) {
        for (const QString& suffix : ImportFormats::suffixes(row)) {
            EXPECT_EQ(ImportFormats::readerFor("a/b" + suffix.toUpper()), row.read) << row.filter;
            ++suffixCount;
        }
    }
    EXPECT_EQ(suffixCount, 19);
}

} // namespace
