#include "ColumnEquality.h"
#include "AudioFileReader.h"
#include "Fft.h"
#include "QStringPrinter.h"
#include "WavWriter.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sndfile.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();
// Full scale of the integers the sound library hands out, whatever the bits in the file.
const double intScale = 2147483648.0;

sf_count_t writeFrames(SNDFILE* f, const int* s, sf_count_t n) { return sf_writef_int(f, s, n); }
sf_count_t writeFrames(SNDFILE* f, const float* s, sf_count_t n) { return sf_writef_float(f, s, n); }
sf_count_t writeFrames(SNDFILE* f, const double* s, sf_count_t n) { return sf_writef_double(f, s, n); }

// Writes interleaved samples as a sound file of `format` through the sound library.
template <typename Sample>
void writeSound(const QString& path, int format, int channels, int rate, const std::vector<Sample>& samples)
{
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const sf_count_t frames = sf_count_t(samples.size()) / channels;
    EXPECT_EQ(writeFrames(file, samples.data(), frames), frames);
    EXPECT_EQ(sf_close(file), 0);
}

// The samples of a file as the sound library reads them with another call than the reader's.
template <typename Sample>
std::vector<Sample> readSound(const QString& path, SF_INFO& info)
{
    info = {};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    EXPECT_NE(file, nullptr) << path.toStdString();
    if (!file)
        return {};
    std::vector<Sample> samples(std::size_t(info.frames * info.channels));
    if constexpr (std::is_same_v<Sample, int>)
        sf_readf_int(file, samples.data(), info.frames);
    else
        sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

// Sample i of channel `c`, from interleaved samples.
template <typename Sample>
std::vector<double> channel(const std::vector<Sample>& interleaved, int channels, int c, double scale = 1.0)
{
    std::vector<double> samples;
    for (std::size_t i = std::size_t(c); i < interleaved.size(); i += std::size_t(channels))
        samples.push_back(double(interleaved[i]) / scale);
    return samples;
}

std::vector<double> sine(std::size_t count, double amplitude, double cyclesPerSample)
{
    std::vector<double> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = amplitude * std::sin(2 * M_PI * cyclesPerSample * double(i));
    return samples;
}

class AudioFileTest : public ::testing::Test
{
protected:
    QString file(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

// The stereo file of 1000 frames: one curve per channel over the sample numbers, the axes one
// past the last sample, and the lines before and after the curves are shown.
TEST_F(AudioFileTest, StereoFileGivesOneCurvePerChannel)
{
    const QString path = file("stereo.wav");
    std::vector<double> interleaved;
    for (int i = 0; i < 1000; ++i)
        interleaved.insert(interleaved.end(), {i / 2000.0, -i / 4000.0});
    writeSound(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, interleaved);

    const ImportedData data = readAudio(path, "stereo", false);
    EXPECT_EQ(data.title, "stereo");
    EXPECT_FALSE(data.selectEachCurve);
    EXPECT_EQ(data.sampleRate, 44100.0);
    EXPECT_EQ(data.log, QStringList({"Kurvo: # Reading file " + path + ".", "Kurvo: # Channels 2, Sample rate 44100"}));
    EXPECT_EQ(data.closingLog, QStringList{"Kurvo: # Points x channel 1000"});
    // x counts the samples, kept as a start and a step.
    EXPECT_TRUE(data.x.empty());
    ASSERT_TRUE(data.evenX.has_value());
    EXPECT_EQ(data.evenX->at(0), 0.0);
    EXPECT_FALSE(std::signbit(data.evenX->at(0)));
    EXPECT_EQ(data.evenX->at(999), 999.0);
    ASSERT_EQ(data.y.size(), 2u);
    EXPECT_EQ(data.y[0].size(), 1000u);
    EXPECT_EQ(data.y[1].size(), 1000u);
    EXPECT_NEAR(data.y[0][998], 0.499, 1.0 / 32768);
    EXPECT_NEAR(data.y[1][998], -0.2495, 1.0 / 32768);
    EXPECT_EQ(data.range.xMin, 0.0);
    EXPECT_EQ(data.range.xMax, 1000.0);
    EXPECT_EQ(data.range.yMin, data.y[1][999]);
    EXPECT_EQ(data.range.yMax, data.y[0][999]);
}

// The correction drops the frames beyond 512 from every curve and from the range: a peak in
// the dropped part does not widen the axes.
TEST_F(AudioFileTest, PowerOfTwoCorrectionDropsTheLastFrames)
{
    const QString path = file("stereo.wav");
    std::vector<float> interleaved(2000, 0.25f);
    interleaved[2 * 900] = 0.75f;
    interleaved[2 * 10 + 1] = -0.5f;
    writeSound(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 44100, interleaved);

    const ImportedData data = readAudio(path, "s", true);
    EXPECT_EQ(data.log.value(2), "Kurvo: # Original points 1000, corrected 512");
    EXPECT_EQ(data.closingLog, QStringList{"Kurvo: # Points x channel 512"});
    ASSERT_EQ(data.y.size(), 2u);
    EXPECT_EQ(data.y[0].size(), 512u);
    EXPECT_EQ(data.y[1].size(), 512u);
    EXPECT_EQ(data.range.xMax, 512.0);
    EXPECT_EQ(data.range.yMax, 0.25);
    EXPECT_EQ(data.range.yMin, -0.5);
}

// Every container and sample format gives the values the file holds: integers exactly as
// integer / 2^31, so 32-bit files keep every bit; up to 24 bits also exactly what a float read
// gives; float and double files their own values.
TEST_F(AudioFileTest, EveryFormatReadsTheValuesTheFileHolds)
{
    const struct {
        const char* suffix;
        int format;
        int bits; // 0: floating point
    } formats[] = {
        {"wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8},      {"wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16},
        {"wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 24},     {"wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 32},
        {"wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0},       {"wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 0},
        {"aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_S8, 8},    {"aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 24},
        {"aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_32, 32},   {"aiff", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 0},
        {"au", SF_FORMAT_AU | SF_FORMAT_PCM_16, 16},       {"au", SF_FORMAT_AU | SF_FORMAT_PCM_32, 32},
        {"au", SF_FORMAT_AU | SF_FORMAT_DOUBLE, 0},        {"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_S8, 8},
        {"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 16},   {"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 24},
    };
    std::mt19937 random(7);
    for (const auto& f : formats) {
        const QString path = file(QStringLiteral("%1-bit.%2").arg(f.bits).arg(f.suffix));
        SCOPED_TRACE(path.toStdString() + " " + std::to_string(f.format));
        std::vector<int> ints(600);
        for (int& v : ints)
            v = int(random());
        ints[0] = INT_MAX;
        ints[1] = INT_MIN;
        std::vector<double> doubles(ints.size());
        for (std::size_t i = 0; i < ints.size(); ++i)
            doubles[i] = ints[i] / intScale + (i == 5 ? 0.1 : 0.0);
        if (f.bits)
            writeSound(path, f.format, 3, 22050, ints);
        else
            writeSound(path, f.format, 3, 22050, doubles);

        const ImportedData data = readAudio(path, "f", false);
        ASSERT_EQ(data.y.size(), 3u);
        EXPECT_EQ(data.sampleRate, 22050.0);
        SF_INFO info;
        const std::vector<int> heldInts = readSound<int>(path, info);
        const std::vector<float> heldFloats = readSound<float>(path, info);
        for (int c = 0; c < 3; ++c) {
            const ImportedData::Column& curve = data.y[std::size_t(c)];
            if (f.bits) {
                EXPECT_EQ(curve, channel(heldInts, 3, c, intScale)) << "channel " << c;
            }
            if (f.bits && f.bits <= 24) {
                EXPECT_EQ(curve, channel(heldFloats, 3, c)) << "channel " << c;
            }
        }
        if ((f.format & SF_FORMAT_SUBMASK) == SF_FORMAT_DOUBLE) {
            EXPECT_EQ(data.y[0], channel(doubles, 3, 0));
        }
        if ((f.format & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT) {
            EXPECT_EQ(data.y[2][1], double(float(doubles[5])));
        }
        if (f.bits == 32) {
            EXPECT_EQ(data.y[0][0], INT_MAX / intScale) << "a float read would round it to 1.0";
            EXPECT_EQ(data.y[1][0], -1.0);
        }
    }
}

// Infinities and NaN of a float file stay in the curve, but only finite values make the range.
TEST_F(AudioFileTest, RangeCountsFiniteSamplesOnly)
{
    const QString path = file("odd.wav");
    writeSound(path, SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 1, 8000, std::vector<double>{0.5, inf, nan, -inf, -0.25});

    const ImportedData data = readAudio(path, "odd", false);
    ASSERT_EQ(data.y.size(), 1u);
    EXPECT_EQ(data.y[0][1], inf);
    EXPECT_TRUE(std::isnan(data.y[0][2]));
    EXPECT_EQ(data.range.yMin, -0.25);
    EXPECT_EQ(data.range.yMax, 0.5);
}

// A file cut short, and one whose header promises far more than it holds, give the frames that
// are there.
TEST_F(AudioFileTest, FilesCutShortGiveTheFramesTheyHold)
{
    const QString path = file("cut.wav");
    writeSound(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, sine(1000, 0.5, 0.01));
    const ImportedData whole = readAudio(path, "cut", false);
    ASSERT_EQ(whole.y.size(), 1u);

    QFile cut(path);
    const qint64 header = cut.size() - 2000;
    ASSERT_TRUE(cut.resize(header + 601));
    const ImportedData data = readAudio(path, "cut", false);
    ASSERT_EQ(data.y.size(), 1u);
    EXPECT_EQ(data.y[0], std::vector<double>(whole.y[0].begin(), whole.y[0].begin() + 300));

    // The data chunk's size is the last field of the header.
    ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
    ASSERT_TRUE(cut.seek(header - 4));
    cut.write("\xf0\xff\xff\x7f", 4);
    cut.close();
    const ImportedData promised = readAudio(path, "cut", false);
    ASSERT_EQ(promised.y.size(), 1u);
    EXPECT_EQ(promised.y[0], data.y[0]);
}

// A FLAC stream may leave its length untold (written as it was recorded): it is read whole,
// whatever the header says the count is.
TEST_F(AudioFileTest, StreamsThatDoNotTellTheirLengthAreReadWhole)
{
    const QString path = file("stream.flac");
    writeSound(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 8000, sine(10000, 0.5, 0.01));
    const ImportedData told = readAudio(path, "told", false);
    ASSERT_EQ(told.y.size(), 1u);

    // The 36-bit sample count closes byte 21 and fills bytes 22 to 25 of the stream info.
    QFile stream(path);
    ASSERT_TRUE(stream.open(QIODevice::ReadWrite));
    QByteArray head = stream.read(26);
    head[21] = char(head[21] & 0xF0);
    head.replace(22, 4, QByteArray(4, '\0'));
    ASSERT_TRUE(stream.seek(0));
    ASSERT_EQ(stream.write(head), 26);
    stream.close();

    const ImportedData data = readAudio(path, "untold", false);
    ASSERT_EQ(data.y.size(), 1u);
    EXPECT_EQ(data.y[0], std::vector<double>(told.y[0].begin(), told.y[0].end()));
    EXPECT_EQ(data.closingLog, QStringList{"Kurvo: # Points x channel 10000"});
    const ImportedData fitted = readAudio(path, "untold", true);
    EXPECT_EQ(fitted.log.value(2), "Kurvo: # Original points 10000, corrected 8192");
    ASSERT_EQ(fitted.y.size(), 1u);
    EXPECT_EQ(fitted.y[0].size(), 8192);
}

TEST_F(AudioFileTest, FileWithoutFramesGivesNoCurve)
{
    const QString path = file("empty.wav");
    writeSound(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, std::vector<int>{});

    const ImportedData data = readAudio(path, "empty", true);
    EXPECT_TRUE(data.y.empty());
    EXPECT_EQ(data.sampleRate, 0.0);
    EXPECT_TRUE(data.closingLog.isEmpty());
    EXPECT_EQ(data.log.value(2), "Kurvo: # No samples in file " + path + ".");
}

// Channels beyond the sixteenth are read past: neither their samples nor their range arrive.
TEST_F(AudioFileTest, MoreThanSixteenChannelsKeepTheFirstSixteen)
{
    const QString path = file("many.wav");
    const int channels = 18;
    std::vector<double> interleaved;
    for (int f = 0; f < 5000; ++f) {
        for (int c = 0; c < channels; ++c)
            interleaved.push_back(c < 16 ? (c + f % 3) / 64.0 : -0.9);
    }
    writeSound(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, channels, 48000, interleaved);

    const ImportedData data = readAudio(path, "many", false);
    EXPECT_EQ(data.log.value(1), "Kurvo: # Channels 18, Sample rate 48000");
    EXPECT_EQ(data.log.value(2), "Kurvo: # Only the first 16 channels are read, 2 left out");
    ASSERT_EQ(data.y.size(), 16u);
    for (int c = 0; c < 16; ++c) {
        ASSERT_EQ(data.y[std::size_t(c)].size(), 5000u);
        EXPECT_EQ(data.y[std::size_t(c)], channel(interleaved, channels, c)) << "channel " << c;
    }
    EXPECT_EQ(data.range.yMin, 0.0);
    EXPECT_EQ(data.range.yMax, 17 / 64.0);
}

// The sound library refuses what it cannot identify: a headerless raw file, text under an audio
// name, a file that is not there. Each gives the one line and nothing else.
TEST_F(AudioFileTest, UnreadableFilesAreRefused)
{
    const QString raw = file("noise.raw");
    const QString text = file("notes.wav");
    for (const auto& [path, bytes] : {std::pair{raw, QByteArray(4000, '\x55')}, std::pair{text, QByteArray("1 2\n3 4\n")}}) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    for (const QString& path : {raw, text, file("missing.wav")}) {
        const ImportedData data = readAudio(path, "x", false);
        EXPECT_EQ(data.log, QStringList{"Kurvo: Not able to open input file " + path + "."});
        EXPECT_TRUE(data.y.empty());
        EXPECT_TRUE(data.closingLog.isEmpty());
        EXPECT_EQ(data.sampleRate, 0.0);
    }
}

// Qt names the file on disk; the reader must ask for the same bytes.
TEST_F(AudioFileTest, NonAsciiNamesOpen)
{
    const QString plain = file("plain.wav");
    const QString name = file(QStringLiteral("Kl\u00e4nge-\u03a9.wav"));
    writeSound(plain, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 11025, sine(64, 0.5, 0.1));
    ASSERT_TRUE(QFile::rename(plain, name));

    const ImportedData data = readAudio(name, "Kl\u00e4nge", false);
    ASSERT_EQ(data.y.size(), 1u);
    EXPECT_EQ(data.y[0].size(), 64u);
    EXPECT_EQ(data.log.value(0), "Kurvo: # Reading file " + name + ".");
}

// What the writer stores reads back within half a step of 24 bits, as a mono 24-bit WAV file;
// writing what was read gives the same samples again.
TEST_F(AudioFileTest, WavRoundTrip)
{
    const QString path = file(QStringLiteral("r\u00fcck.wav"));
    const std::vector<double> samples = sine(3000, 0.8, 0.0123);
    std::size_t clipped = 99;
    QString error;
    ASSERT_TRUE(writeWav(path, samples.data(), samples.size(), 48000, clipped, error)) << error.toStdString();
    EXPECT_EQ(clipped, 0u);
    EXPECT_TRUE(error.isEmpty());

    SF_INFO info;
    const std::vector<int> held = readSound<int>(path, info);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.frames, 3000);
    const ImportedData data = readAudio(path, "r", false);
    ASSERT_EQ(data.y.size(), 1u);
    EXPECT_EQ(data.sampleRate, 48000.0);
    ASSERT_EQ(data.y[0].size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        ASSERT_LE(std::abs(data.y[0][i] - samples[i]), 0.5 / 8388608) << i;

    const QString again = file("again.wav");
    ASSERT_TRUE(writeWav(again, data.y[0].data(), data.y[0].size(), 48000, clipped, error));
    EXPECT_EQ(readSound<int>(again, info), held);
}

// The file's rate is the whole part of the one given, and at least 1; no samples is a file too.
TEST_F(AudioFileTest, WrittenRateIsTruncated)
{
    const struct {
        double rate;
        int written;
    } rates[] = {{8000.7, 8000}, {44100, 44100}, {1.9, 1}, {0.5, 1}, {0, 1}, {-8000, 1}, {nan, 1}};
    for (const auto& r : rates) {
        const QString path = file("rate.wav");
        std::size_t clipped;
        QString error;
        ASSERT_TRUE(writeWav(path, nullptr, 0, r.rate, clipped, error)) << r.rate;
        SF_INFO info;
        readSound<int>(path, info);
        EXPECT_EQ(info.samplerate, r.written) << r.rate;
        EXPECT_EQ(info.frames, 0);
    }
}

// Beyond full scale the samples stay at full scale with their own sign, and are counted; NaN
// becomes silence.
TEST_F(AudioFileTest, WrittenSamplesClipInsteadOfWrapping)
{
    const QString path = file("loud.wav");
    const std::vector<double> samples = {1.5, -1.5, 1.0, -1.0, 1000.0, inf, -inf, nan, 0.5, -1.0000001};
    std::size_t clipped = 0;
    QString error;
    ASSERT_TRUE(writeWav(path, samples.data(), samples.size(), 8000, clipped, error));
    EXPECT_EQ(clipped, 6u);

    SF_INFO info;
    const std::vector<int> held = readSound<int>(path, info);
    const int top = 0x7fffff00; // the largest 24-bit sample, as the library scales it
    EXPECT_EQ(held, std::vector<int>({top, INT_MIN, top, INT_MIN, top, top, INT_MIN, 0, 0x40000000, INT_MIN}));
}

TEST_F(AudioFileTest, FailedWritesAreReported)
{
    const QString missing = file("no/such/folder/x.wav");
    const double samples[] = {0.1, 0.2};
    std::size_t clipped;
    QString error;
    EXPECT_FALSE(writeWav(missing, samples, 2, 8000, clipped, error));
    EXPECT_EQ(error, "Kurvo: Can't write file " + missing + ": No such file or directory");
    EXPECT_FALSE(QFile::exists(missing));

    EXPECT_FALSE(writeWav(dir.path(), samples, 2, 8000, clipped, error));
    EXPECT_EQ(error, "Kurvo: Can't write file " + dir.path() + ": Is a directory");

    // A device that takes no byte: the writer must not claim the samples arrived.
    if (QFile::exists("/dev/full")) {
        const std::vector<double> many = sine(100000, 0.5, 0.01);
        error.clear();
        EXPECT_FALSE(writeWav("/dev/full", many.data(), many.size(), 8000, clipped, error));
        EXPECT_EQ(error, "Kurvo: Can't write file /dev/full: No space left on device");
    }
}

// Another program reads our file as what it is meant to be.
TEST_F(AudioFileTest, SoxReadsTheWrittenFile)
{
    const QString soxi = QStandardPaths::findExecutable("soxi");
    if (soxi.isEmpty())
        GTEST_SKIP() << "soxi (package sox) is not installed; scripts/install-deps installs it";
    const QString path = file("sox.wav");
    const std::vector<double> samples = sine(2000, 0.5, 0.05);
    std::size_t clipped;
    QString error;
    ASSERT_TRUE(writeWav(path, samples.data(), samples.size(), 16000.9, clipped, error));

    const auto ask = [&](const char* option) {
        QProcess process;
        process.start(soxi, {option, path});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    };
    EXPECT_EQ(ask("-r"), "16000");
    EXPECT_EQ(ask("-c"), "1");
    EXPECT_EQ(ask("-b"), "24");
    EXPECT_EQ(ask("-s"), "2000");
    EXPECT_EQ(ask("-e"), "Signed Integer PCM");
}

// The example chord: two seconds at 8000 Hz, whose spectrum shows each of its three tones at
// half its amplitude on one bin of 0.5 Hz, mirrored above the Nyquist frequency, and nothing
// else but the quantisation noise.
TEST(AudioExampleTest, ChordShowsThreeTonesInItsSpectrum)
{
    const ImportedData data = readAudio(KURVO_EXAMPLES_DIR "/chord.wav", "chord", false);
    ASSERT_EQ(data.y.size(), 1u);
    EXPECT_EQ(data.sampleRate, 8000.0);
    const std::size_t n = std::size_t(data.y[0].size());
    ASSERT_EQ(n, 16000u);

    std::vector<double> re(data.y[0].begin(), data.y[0].end());
    std::vector<double> im(n, 0.0);
    ASSERT_TRUE(Fft(n).forward(re.data(), im.data()));
    const double binWidth = data.sampleRate / double(n);
    for (std::size_t k = 0; k < n; ++k) {
        const double hz = std::min(double(k), double(n - k)) * binWidth;
        const bool tone = hz == 220.0 || hz == 275.0 || hz == 330.0;
        EXPECT_NEAR(std::hypot(re[k], im[k]), tone ? 0.125 : 0.0, 1e-4) << k * binWidth << " Hz";
    }
}

} // namespace
