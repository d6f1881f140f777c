#include "AudioFileReader.h"
#include "AudioFormats.h"
#include "FileReaders.h"
#include "ImportFormats.h"
#include "QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <sndfile.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

bool libraryReads(int majorFormat)
{
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info = {};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.format == majorFormat)
            return true;
    }
    return false;
}

class AudioFormatsTest : public ::testing::Test
{
protected:
    void SetUp() override { AudioFormats::registerReader(); }
    void TearDown() override { ImportFormats::setAudioReader(nullptr); }
};

// The formats the fixed rows leave out open by their suffixes in any case, those of our own
// table of other suffixes included; without the library's support they stay text.
TEST_F(AudioFormatsTest, LibraryFormatsOpenBySuffix)
{
    const struct {
        const char* path;
        int majorFormat;
    } cases[] = {
        {"a/x.flac", SF_FORMAT_FLAC}, {"x.OGG", SF_FORMAT_OGG}, {"x.oga", SF_FORMAT_OGG},
        {"x.Aif", SF_FORMAT_AIFF},    {"x.aifc", SF_FORMAT_AIFF}, {"x.caf", SF_FORMAT_CAF},
        {"x.W64", SF_FORMAT_W64},     {"x.rf64", SF_FORMAT_RF64}, {"x.mp3", SF_FORMAT_MPEG},
    };
    for (const auto& c : cases) {
        const FileReader expected = libraryReads(c.majorFormat) ? readAudio : readTextFile;
        EXPECT_EQ(ImportFormats::readerFor(c.path), expected) << c.path;
    }
    EXPECT_EQ(ImportFormats::readerFor("x.aifx"), readTextFile);
}

// The fixed rows stay as they were and first, the formats with parts after the sound ones;
// every suffix of the added rows is the library's and goes to the audio reader, and
// registering again adds nothing.
TEST_F(AudioFormatsTest, AddedRowsFollowTheFixedOnes)
{
    const std::size_t fixedRows = 20;
    const QStringList filters = ImportFormats::filters();
    ASSERT_GT(filters.size(), int(fixedRows));
    EXPECT_EQ(filters[1], "Audio Interchange File Format (*.aiff)");
    EXPECT_EQ(filters[14], "Waveform audio file format (*.wav)");
    if (libraryReads(SF_FORMAT_AIFF)) {
        EXPECT_TRUE(filters.contains("AIFF (Apple/SGI) (*.aif *.aifc)")) << filters.join('\n').toStdString();
    }
    EXPECT_TRUE(AudioFormats::filters().contains("WAV (Microsoft) (*.wav)"));
    const auto& rows = ImportFormats::rows();
    for (std::size_t i = fixedRows; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].read, readAudio) << rows[i].filter.toStdString();
        for (const QString& suffix : ImportFormats::suffixes(rows[i]))
            EXPECT_EQ(ImportFormats::readerFor("b" + suffix.toUpper()), readAudio) << suffix.toStdString();
    }
    AudioFormats::registerReader();
    EXPECT_EQ(ImportFormats::filters(), filters);
}

// A short stereo sound written by the library reads back through the table's reader.
TEST_F(AudioFormatsTest, FlacAndAiffReadThroughTheTable)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        int format;
    } cases[] = {
        {"tone.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {"tone.aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
    };
    std::vector<short> interleaved;
    for (short i = 0; i < 300; ++i)
        interleaved.insert(interleaved.end(), {short(i * 100), short(-i * 50)});
    for (const auto& c : cases) {
        if (!libraryReads(c.format & SF_FORMAT_TYPEMASK))
            continue;
        const QString path = dir.filePath(c.name);
        SF_INFO info = {};
        info.samplerate = 22050;
        info.channels = 2;
        info.format = c.format;
        SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        EXPECT_EQ(sf_writef_short(file, interleaved.data(), 300), 300);
        ASSERT_EQ(sf_close(file), 0);

        const ImportedData data = ImportFormats::readerFor(path)(path, "tone", false);
        ASSERT_EQ(data.y.size(), 2u) << c.name;
        EXPECT_EQ(data.y[0].size(), 300);
        EXPECT_EQ(data.y[1].size(), 300);
        EXPECT_EQ(data.sampleRate, 22050.0);
        EXPECT_EQ(data.y[0][299], 29900 / 32768.0);
        EXPECT_EQ(data.y[1][299], -14950 / 32768.0);
    }
}

} // namespace
