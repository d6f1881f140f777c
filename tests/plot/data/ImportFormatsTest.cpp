#include "ColumnEquality.h"
#include "FileReaders.h"
#include "ImportFormats.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

ImportedData readNothing(const QString&, const QString&, bool)
{
    return {};
}

// Puts the refusing reader back whatever a test registered.
class ImportFormatsTest : public ::testing::Test
{
protected:
    void TearDown() override { ImportFormats::setAudioReader(nullptr); }
};

TEST_F(ImportFormatsTest, DispatchBySuffixInAnyCase)
{
    const FileReader audio = ImportFormats::audioReader();
    const struct {
        const char* path;
        FileReader kind;
    } cases[] = {
        {"Data.WAV", audio},          {"x.sf", audio},            {"a/b.AiFf", audio},
        {"x.au", audio},              {"x.mat", audio},           {"x.Snd", audio},
        {"x.adf", readArrayFile},     {"X.ADF", readArrayFile},   {"x.aif", readTextFile},
        {"x.dif", readTextFile},      {"x.csv", readTextFile},    {"x.asf", readTextFile},
        {"wav", readTextFile},        {"a.wav/b.txt", readTextFile},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImportFormats::readerFor(c.path), c.kind) << c.path;
}

// Every suffix a filter names goes to its own row's reader, so the dialog never offers a file
// that another reader would take.
TEST_F(ImportFormatsTest, FiltersNameTheSuffixesOfTheirReader)
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

// Before a reader is registered an audio file is refused with the line of a file that does not
// open; a registered reader takes every audio row and no other, and null brings the refusal back.
TEST_F(ImportFormatsTest, AudioRowsTakeTheRegisteredReader)
{
    const ImportedData refused = ImportFormats::readerFor("a/x.wav")("a/x.wav", "x", false);
    EXPECT_TRUE(refused.y.empty());
    EXPECT_EQ(refused.log, QStringList{"Kurvo: Not able to open input file a/x.wav."});
    const FileReader refusing = ImportFormats::audioReader();

    const auto& rows = ImportFormats::rows();
    const ImportFormat& wav = rows.back();
    ImportFormats::setAudioReader(readNothing);
    EXPECT_EQ(ImportFormats::audioReader(), readNothing);
    EXPECT_EQ(wav.read, readNothing) << "rows change in place";
    int audioRows = 0;
    for (const ImportFormat& row : rows) {
        if (row.read == readNothing) {
            ++audioRows;
        } else {
            EXPECT_TRUE(row.read == readTextFile || row.read == readArrayFile) << row.filter;
        }
    }
    EXPECT_EQ(audioRows, 10);
    EXPECT_EQ(ImportFormats::readerFor("x.VOC"), readNothing);
    EXPECT_EQ(ImportFormats::readerFor("x.txt"), readTextFile);

    ImportFormats::setAudioReader(nullptr);
    EXPECT_EQ(ImportFormats::audioReader(), refusing);
    EXPECT_EQ(ImportFormats::readerFor("x.wav"), refusing);
}

} // namespace
