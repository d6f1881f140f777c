#include "AudioFileReader.h"

#include "ColumnSizing.h"
#include "PointLimit.h"
#include "PowerOfTwo.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <new>

namespace {

// The plot keeps the curves of one file apart by colour, and the palette has 16.
constexpr int maxChannels = 16;
// Samples per read: small enough to stay in the cache while they are spread over the curves.
constexpr int blockSamples = 4096;
// A curve holds no more points than kMaxCurvePoints; one frame more tells that the file
// holds more than that, without reading all of it.
constexpr sf_count_t maxFramesRead = sf_count_t(kMaxCurvePoints) + 1;

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

// Smallest and largest finite sample: NaN and infinities would give an axis that shows
// nothing. Four lanes of limits, since with one pair every sample would wait for the one
// before.
class FiniteLimits
{
public:
    FiniteLimits()
    {
        std::fill(min, min + lanes, std::numeric_limits<double>::infinity());
        std::fill(max, max + lanes, -std::numeric_limits<double>::infinity());
    }

    // The limits are copied into locals: in the members, every sample would wait for a
    // store that might have changed a sample.
    void add(const double* samples, std::size_t count)
    {
        double lo[lanes];
        double hi[lanes];
        std::copy(min, min + lanes, lo);
        std::copy(max, max + lanes, hi);
        std::size_t i = 0;
        for (; i + lanes <= count; i += lanes) {
            for (std::size_t k = 0; k < lanes; ++k)
                widen(samples[i + k], lo[k], hi[k]);
        }
        for (; i < count; ++i)
            widen(samples[i], lo[0], hi[0]);
        std::copy(lo, lo + lanes, min);
        std::copy(hi, hi + lanes, max);
    }

    void widenRange(DataRange& range) const
    {
        for (std::size_t k = 0; k < lanes; ++k) {
            if (min[k] <= max[k]) {
                range.addY(min[k]);
                range.addY(max[k]);
            }
        }
    }

private:
    static constexpr std::size_t lanes = 4;

    static void widen(double v, double& lo, double& hi)
    {
        const bool finite = std::abs(v) <= std::numeric_limits<double>::max();
        lo = finite && v < lo ? v : lo;
        hi = finite && v > hi ? v : hi;
    }

    double min[lanes];
    double max[lanes];
};

// One channel's samples, and their limits, taken while each block is still in the cache.
struct Channel {
    std::vector<double> samples;
    FiniteLimits limits;
};

// What every audio file gives before its samples are read.
ImportedData audioData(const QString& name)
{
    ImportedData data;
    data.title = name;
    // The current curve stays on the first channel.
    data.selectEachCurve = false;
    return data;
}

// A header's frame count only spares re-allocations: it can be wrong (a file cut short, a
// damaged header), so a count that cannot be reserved is no error.
void reserveFrames(std::vector<double>& samples, sf_count_t frames)
{
    if (frames <= 0)
        return;
    try {
        samples.reserve(std::size_t(std::min(frames, maxFramesRead)));
    } catch (const std::bad_alloc&) {
    }
}

// Gathers one channel's part of a block, every `stride`th sample from `first` on, takes its
// limits while it is in the cache and appends it in one go.
void append(Channel& channel, const double* first, std::size_t stride, std::size_t count, std::vector<double>& gathered)
{
    for (std::size_t i = 0; i < count; ++i)
        gathered[i] = first[i * stride];
    channel.limits.add(gathered.data(), count);
    channel.samples.insert(channel.samples.end(), gathered.begin(), gathered.begin() + std::ptrdiff_t(count));
}

// Reads every frame in blocks and spreads the first `kept` channels over their curves; the
// channels beyond are read past. Stops at the end of the file, at a read error, or one frame
// past what a curve holds.
std::vector<Channel> readChannels(SNDFILE* file, const SF_INFO& info, int kept)
{
    std::vector<Channel> channels(static_cast<std::size_t>(kept));
    for (Channel& channel : channels)
        reserveFrames(channel.samples, info.frames);
    const std::size_t stride = std::size_t(info.channels);
    const int framesPerBlock = std::max(1, blockSamples / info.channels);
    std::vector<double> block(std::size_t(framesPerBlock) * stride);
    std::vector<double> gathered(static_cast<std::size_t>(framesPerBlock));
    for (sf_count_t read = 0; read < maxFramesRead;) {
        const sf_count_t wanted = std::min<sf_count_t>(framesPerBlock, maxFramesRead - read);
        const sf_count_t frames = sf_readf_double(file, block.data(), wanted);
        if (frames <= 0)
            return channels;
        read += frames;
        for (std::size_t c = 0; c < channels.size(); ++c)
            append(channels[c], block.data() + c, stride, std::size_t(frames), gathered);
    }
    return channels;
}

// The sample numbers 0 … count−1.
void fillSampleNumbers(ImportedData::Column& x, std::size_t count)
{
    resizeExactly(x, int(count));
    double* numbers = x.data();
    for (std::size_t i = 0; i < count; ++i)
        numbers[i] = double(i);
}

// The curves of the first `count` samples: a shared x of sample numbers, the range of the axes.
void makeCurves(ImportedData& data, std::vector<Channel>& channels, std::size_t count)
{
    fillSampleNumbers(data.x, count);
    data.range.addX(0.0);
    data.range.addX(double(count));
    data.range.addY(0.0);
    data.y.reserve(channels.size());
    for (Channel& channel : channels) {
        if (count < channel.samples.size()) {
            channel.samples.resize(count);
            channel.limits = FiniteLimits();
            channel.limits.add(channel.samples.data(), count);
        }
        channel.limits.widenRange(data.range);
        // Each channel's reading buffer goes as soon as its curve has the samples.
        data.y.emplace_back(channel.samples.begin(), channel.samples.end());
        std::vector<double>().swap(channel.samples);
    }
}

void readCurves(ImportedData& data, SNDFILE* file, const SF_INFO& info, const QString& path, bool fitToPowerOfTwo)
{
    const int kept = std::min(info.channels, maxChannels);
    if (kept < info.channels)
        data.log << QStringLiteral("Kurvo: # Only the first %1 channels are read, %2 left out")
                        .arg(kept)
                        .arg(info.channels - kept);
    std::vector<Channel> channels = readChannels(file, info, kept);
    if (sf_error(file) != SF_ERR_NO_ERROR)
        data.log << QStringLiteral("Kurvo: # Reading stopped early: %1").arg(QString::fromLocal8Bit(sf_strerror(file)));
    std::size_t count = channels.front().samples.size();
    if (count == 0) {
        data.log << QStringLiteral("Kurvo: # No samples in file %1.").arg(path);
        return;
    }
    if (count > kMaxCurvePoints) {
        data.log << QStringLiteral("Kurvo: # Only the first %1 points are read").arg(kMaxCurvePoints);
        count = kMaxCurvePoints;
    }
    if (fitToPowerOfTwo) {
        const std::size_t corrected = powerOfTwoCount(count);
        data.log << QStringLiteral("Kurvo: # Original points %1, corrected %2").arg(count).arg(corrected);
        count = corrected;
    }
    makeCurves(data, channels, count);
    data.sampleRate = info.samplerate;
    data.closingLog << QStringLiteral("Kurvo: # Points x channel %1").arg(count);
}

} // namespace

ImportedData readAudio(const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    ImportedData data = audioData(name);
    SF_INFO info = {};
    const SoundFile file(sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
    if (!file || info.channels < 1) {
        data.log << QStringLiteral("Kurvo: Not able to open input file %1.").arg(path);
        return data;
    }
    try {
        data.log << QStringLiteral("Kurvo: # Reading file %1.").arg(path)
                 << QStringLiteral("Kurvo: # Channels %1, Sample rate %2").arg(info.channels).arg(info.samplerate);
        readCurves(data, file.get(), info, path, fitToPowerOfTwo);
    } catch (const std::bad_alloc&) {
        // Only the lines logged so far are kept; the samples go with `data`.
        ImportedData failed = audioData(name);
        failed.log = data.log;
        failed.log << QStringLiteral("Kurvo: Not enough memory to read %1").arg(path);
        return failed;
    }
    return data;
}
