#include "ColumnEquality.h"
#include "../../host/AddressSpaceLimit.h"
#include "AllocationWatch.h"
#include "AudioFileReader.h"
#include "AvailableMemory.h"
#include "QStringPrinter.h"
#include "WavWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

// A size of memory in place of the system's.
class FixedMemory : public AvailableMemory
{
public:
    explicit FixedMemory(quint64 bytes)
        : size(bytes)
    {
    }
    quint64 bytes() const override { return size; }

private:
    quint64 size;
};

// 200 000 frames of one channel: each of x and y takes 1.6 MB.
constexpr std::size_t frames = 200000;
constexpr std::size_t curveBytes = frames * sizeof(double);

// Reads the file while no single allocation may pass `ceiling` bytes, asking `memory` when
// there is one and the system otherwise.
ImportedData readWithin(std::size_t ceiling, const QString& file, bool fitToPowerOfTwo, const AvailableMemory* memory)
{
    AllocationWatch::takeCeilingCrossed();
    AllocationWatch::setCeiling(ceiling);
    ImportedData data = memory ? readAudioWithin(file, "long", fitToPowerOfTwo, *memory)
                               : readAudio(file, "long", fitToPowerOfTwo);
    AllocationWatch::clearCeiling();
    return data;
}

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

    ImportedData readUnder(std::size_t ceiling) const { return readWithin(ceiling, path, false, nullptr); }

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
    EXPECT_TRUE(data.evenX.has_value());
}

// Memory the system said was there and that cannot be had after all: the curves' columns, the
// sound library's and Qt's blocks, come from outside the allocation watch, so the address
// space is capped instead.
TEST_F(AudioMemoryTest, NoRoomForTheCurvesGivesALineAndNoCurve)
{
    const FixedMemory plenty(std::numeric_limits<quint64>::max());
    ImportedData data;
    {
        const AddressSpaceLimit limit(curveBytes / 2);
        if (!limit.isActive())
            GTEST_SKIP() << "the address space cannot be capped here";
        ASSERT_NO_THROW(data = readAudioWithin(path, "long", false, plenty));
    }
    EXPECT_TRUE(data.y.empty());
    EXPECT_EQ(data.sampleRate, 0.0);
    EXPECT_TRUE(data.closingLog.isEmpty());
    EXPECT_EQ(data.log, QStringList({"Kurvo: # Reading file " + path + ".", "Kurvo: # Channels 1, Sample rate 8000",
                                     "Kurvo: Not enough memory to read " + path}));
}

// The memory the curves take is asked for before it is taken: a file needing exactly what
// is available is read, one needing a byte more is refused with a line and no curve.
TEST_F(AudioMemoryTest, AFileIsReadExactlyWhileItsNeedsFit)
{
    const quint64 needed = bytesToReadAudio(frames, 1);
    const FixedMemory exactly(needed);
    const ImportedData fits = readWithin(curveBytes + curveBytes / 16, path, false, &exactly);
    ASSERT_EQ(fits.y.size(), 1u);
    EXPECT_EQ(fits.y[0].size(), frames);

    const FixedMemory short1(needed - 1);
    const ImportedData refused = readWithin(64 * 1024, path, false, &short1);
    EXPECT_FALSE(AllocationWatch::takeCeilingCrossed());
    EXPECT_TRUE(refused.y.empty());
    EXPECT_TRUE(refused.closingLog.isEmpty());
    EXPECT_EQ(refused.log.value(2),
              "Kurvo: Not enough memory to read " + path + " (0.002 GB needed, 0.002 GB available)");
}

// A header of 16 channels of 16 bits whose data chunk fills 4 GiB, the rest of the file a hole.
void writeSparseWav(const QString& path, quint32 dataBytes)
{
    QByteArray header(44, '\0');
    const auto put32 = [&header](int at, quint32 v) { qToLittleEndian(v, header.data() + at); };
    const auto put16 = [&header](int at, quint16 v) { qToLittleEndian(v, header.data() + at); };
    header.replace(0, 4, "RIFF");
    put32(4, 36 + dataBytes);
    header.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1);
    put16(22, 16);
    put32(24, 48000);
    put32(28, 48000 * 32);
    put16(32, 32);
    put16(34, 16);
    header.replace(36, 4, "data");
    put32(40, dataBytes);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(header), 44);
    ASSERT_TRUE(file.resize(44 + qint64(dataBytes)));
}

// 134 217 726 frames of 16 channels: 16 doubles a frame, 17.2 GB, where 8 GB are available.
// The file is refused on its header's word before a single sample is read, and the power-of-two
// correction counts only the frames it keeps.
TEST(AudioMemoryEstimateTest, A4GiBFileIsRefusedBeforeReading)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("huge.wav");
    writeSparseWav(path, 0xFFFFFFC0u);
    const FixedMemory eightGB(8000000000u);
    for (const auto& [fit, needed] : {std::pair{false, "17.2"}, std::pair{true, "8.6"}}) {
        const ImportedData data = readWithin(1 << 20, path, fit, &eightGB);
        EXPECT_FALSE(AllocationWatch::takeCeilingCrossed()) << fit;
        EXPECT_TRUE(data.y.empty()) << fit;
        EXPECT_EQ(data.log, QStringList({"Kurvo: # Reading file " + path + ".", "Kurvo: # Channels 16, Sample rate 48000",
                                         QStringLiteral("Kurvo: Not enough memory to read %1 (%2 GB needed, 8.0 GB "
                                                        "available)").arg(path, needed)}));
    }
    EXPECT_EQ(bytesToReadAudio(134217726, 16), 134217726ull * 16 * 8 + 4096 * 8);
}

} // namespace
