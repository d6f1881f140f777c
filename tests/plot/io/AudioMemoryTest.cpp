#include "ColumnEquality.h"
#include "AllocationWatch.h"
#include "AudioFileReader.h"
#include "QStringPrinter.h"
#include "WavWriter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// 200 000 frames of one channel: each of x and y takes 1.6 MB.
constexpr std::size_t frames = 200000;
constexpr std::size_t curveBytes = frames * sizeof(double);

class AudioMemoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("long.wav");
        std::vector<double> samples(frames);
        for (std::size_t i = 0; i < frames; ++i)
            samples[i] = 0.5 * std::sin(0.01 * double(i));
        std::size_t clipped;
        QString error;
        ASSERT_TRUE(writeWav(path, samples.data(), frames, 8000, clipped, error));
    }

    void TearDown() override { AllocationWatch::clearCeiling(); }

    // Reads the file while no single allocation may pass `ceiling` bytes.
    ImportedData readUnder(std::size_t ceiling) const
    {
        AllocationWatch::takeCeilingCrossed();
        AllocationWatch::setCeiling(ceiling);
        ImportedData data = readAudio(path, "long", false);
        AllocationWatch::clearCeiling();
        return data;
    }

    QTemporaryDir dir;
    QString path;
};

// The frame count of the header sizes every array once: a vector grown sample by sample would
// at some point ask for a block larger than the curve.
TEST_F(AudioMemoryTest, CurvesAreAllocatedAtTheirOwnSize)
{
    const ImportedData data = readUnder(curveBytes + curveBytes / 16);
    EXPECT_FALSE(AllocationWatch::takeCeilingCrossed());
    ASSERT_EQ(data.y.size(), 1u);
    EXPECT_EQ(data.y[0].size(), frames);
    EXPECT_EQ(data.x.size(), frames);
}

TEST_F(AudioMemoryTest, NoRoomForTheCurvesGivesALineAndNoCurve)
{
    ImportedData data;
    ASSERT_NO_THROW(data = readUnder(curveBytes / 2));
    EXPECT_TRUE(AllocationWatch::takeCeilingCrossed());
    EXPECT_TRUE(data.y.empty());
    EXPECT_TRUE(data.x.empty());
    EXPECT_EQ(data.sampleRate, 0.0);
    EXPECT_TRUE(data.closingLog.isEmpty());
    EXPECT_EQ(data.log, QStringList({"Kurvo: # Reading file " + path + ".", "Kurvo: # Channels 1, Sample rate 8000",
                                     "Kurvo: Not enough memory to read " + path}));
}

} // namespace
