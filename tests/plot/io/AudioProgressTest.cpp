#include "AudioFileReader.h"
#include "ReadProgress.h"
#include "WavWriter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A file of several blocks, so that the reader reports between them.
class AudioProgressTest : public ::testing::Test
{
protected:
    AudioProgressTest()
    {
        const std::vector<double> samples(100000, 0.25);
        std::size_t clipped = 0;
        QString error;
        EXPECT_TRUE(writeWav(path, samples.data(), samples.size(), 8000, clipped, error)) << error.toStdString();
        ReadProgress::makeCurrent(&progress);
    }
    ~AudioProgressTest() override { ReadProgress::makeCurrent(nullptr); }

    QTemporaryDir dir;
    const QString path = dir.filePath("long.wav");
    ReadProgress progress;
};

TEST_F(AudioProgressTest, ReportsEveryFrameWanted)
{
    const ImportedData data = readAudio(path, "long", false);
    ASSERT_EQ(data.y.size(), 1u);
    EXPECT_EQ(data.y[0].size(), 100000);
    EXPECT_EQ(progress.permille(), 1000);
}

TEST_F(AudioProgressTest, CancelledReadStopsBeforeTheFirstBlock)
{
    progress.cancel();
    const ImportedData data = readAudio(path, "long", false);
    EXPECT_TRUE(data.y.empty());
    EXPECT_FALSE(progress.measured());
}

} // namespace
