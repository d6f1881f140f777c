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

// The rows of the Open dialog before any audio format is added; the sound formats end at 15,
// the formats with parts follow.
constexpr std::size_t fixedRows = 20;
constexpr std::size_t wavRow = 14;

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
        {"x.au", audio},              {"x.Snd", audio},
        {"x.adf", readArrayFile},     {"X.ADF", readArrayFile},   {"x.aifx", readTextFile},
        {"x.dif", readTextFile},      {"x.csv", readTextFile},    {"x.asf", readTextFile},
        {"wav", readTextFile},        {"a.wav/b.txt", readTextFile},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImportFormats::readerFor(c.path), c.kind) << c.path;
    // A .mat file goes to the MATLAB reader first, which hands sound files on.
    const FileReader parts = ImportFormats::readerFor("x.xlsx");
    for (const char* path : {"x.MAT", "x.ods", "x.xls", "x.h5", "x.hdf5", "x.he5", "x.nc", "x.nc4"})
        EXPECT_EQ(ImportFormats::readerFor(path), parts) << path;
    EXPECT_NE(parts, audio);
    EXPECT_NE(parts, readTextFile);
}

// Until a library registers the reader of a format with parts, its files are refused.
TEST_F(ImportFormatsTest, FormatsWithPartsTakeTheRegisteredFormat)
{
    EXPECT_EQ(ImportFormats::partFormatFor("a/x.xlsx"), nullptr);
    const ImportedData refused = ImportFormats::readerFor("a/x.xlsx")("a/x.xlsx", "x", false);
    EXPECT_TRUE(refused.y.empty());
    EXPECT_EQ(refused.log, QStringList{"Kurvo: Can't read a/x.xlsx (no reader for this kind of file)"});
    EXPECT_EQ(ImportFormats::partFormatFor("a/x.txt"), nullptr);
}

// Every suffix a filter names goes to its own row's reader, so the dialog never offers a file
// that another reader would take. Audio rows added by another test come after the fixed ones.
TEST_F(ImportFormatsTest, FiltersNameTheSuffixesOfTheirReader)
{
    const auto& rows = ImportFormats::rows();
    ASSERT_GE(rows.size(), fixedRows);
    EXPECT_EQ(ImportFormats::filters().size(), int(rows.size()));
    EXPECT_EQ(ImportFormats::suffixes(rows[10]), QStringList({".raw", ".pcm", ".sam"}));
    EXPECT_EQ(ImportFormats::suffixes(rows[4]), QStringList{".dat"});
    int fixedSuffixCount = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (const QString& suffix : ImportFormats::suffixes(rows[i])) {
            EXPECT_EQ(ImportFormats::readerFor("a/b" + suffix.toUpper()), rows[i].read) << rows[i].filter.toStdString();
            fixedSuffixCount += i < fixedRows;
        }
    }
    EXPECT_EQ(fixedSuffixCount, 27);
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
    const ImportFormat& wav = rows[wavRow];
    ImportFormats::setAudioReader(readNothing);
    EXPECT_EQ(ImportFormats::audioReader(), readNothing);
    EXPECT_EQ(wav.read, readNothing) << "rows change in place";
    int fixedAudioRows = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].read == readNothing) {
            fixedAudioRows += i < fixedRows;
        } else {
            EXPECT_LT(i, fixedRows) << "added rows are audio rows";
            EXPECT_TRUE(rows[i].read == readTextFile || rows[i].read == readArrayFile
                        || rows[i].read == ImportFormats::readerFor("x.xlsx"))
                << rows[i].filter.toStdString();
        }
    }
    EXPECT_EQ(fixedAudioRows, 9);
    EXPECT_EQ(ImportFormats::readerFor("x.VOC"), readNothing);
    EXPECT_EQ(ImportFormats::readerFor("x.txt"), readTextFile);

    ImportFormats::setAudioReader(nullptr);
    EXPECT_EQ(ImportFormats::audioReader(), refusing);
    EXPECT_EQ(ImportFormats::readerFor("x.wav"), refusing);
}

// An added format keeps only the suffixes no row takes yet, in any case: AIFF keeps its fixed
// row and gains one for its other suffixes, and adding again adds nothing. The added row
// follows the registered reader.
TEST_F(ImportFormatsTest, AddedAudioFormatsTakeOnlyNewSuffixes)
{
    const auto& rows = ImportFormats::rows();
    const std::size_t before = rows.size();
    ImportFormats::addAudioFormat("Old (*.wav *.SND)");
    ImportFormats::addAudioFormat("No suffixes");
    EXPECT_EQ(rows.size(), before);

    const QString aiff = "AIFF (Apple/SGI) (*.aiff *.aif *.AIFC)";
    ImportFormats::addAudioFormat(aiff);
    const std::size_t withAiff = rows.size();
    ImportFormats::addAudioFormat(aiff);
    EXPECT_EQ(rows.size(), withAiff);
    const ImportFormat& added = rows.back();
    EXPECT_EQ(added.filter, "AIFF (Apple/SGI) (*.aif *.AIFC)");
    EXPECT_EQ(ImportFormats::readerFor("a/x.AIF"), ImportFormats::audioReader());
    EXPECT_EQ(ImportFormats::readerFor("x.aifc"), ImportFormats::audioReader());
    EXPECT_EQ(ImportFormats::readerFor("x.aiff"), rows[1].read);

    ImportFormats::setAudioReader(readNothing);
    EXPECT_EQ(added.read, readNothing);
    EXPECT_EQ(ImportFormats::readerFor("x.aif"), readNothing);
}

} // namespace
