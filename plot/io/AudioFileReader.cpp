#include "AudioFileReader.h"

#include "PowerOfTwo.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <numeric>

namespace {

// The plot keeps the curves of one file apart by colour, and the palette has 16.
constexpr int maxChannels = 16;
// Samples per read: small enough to stay in the cache while they are spread over the curves.
constexpr int blockSamples = 4096;

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

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
    if (frames <= 0 || std::uint64_t(frames) > samples.max_size())
        return;
    try {
        samples.reserve(std::size_t(frames));
    } catch (const std::bad_alloc&) {
    }
}

// Reads every frame in blocks and spreads the first `kept` channels over their curves; the
// channels beyond are read past. Stops at the end of the file or at a read error.
std::vector<std::vector<double>> readChannels(SNDFILE* file, const SF_INFO& info, int kept)
{
    std::vector<std::vector<double>> channels(static_cast<std::size_t>(kept));
    for (std::vector<double>& samples : channels)
        reserveFrames(samples, info.frames);
    const int framesPerBlock = std::max(1, blockSamples / info.channels);
    std::vector<double> block(std::size_t(framesPerBlock) * std::size_t(info.channels));
    for (;;) {
        const sf_count_t frames = sf_readf_double(file, block.data(), framesPerBlock);
        if (frames <= 0)
            return channels;
        for (int c = 0; c < kept; ++c) {
            const double* sample = block.data() + c;
            std::vector<double>& samples = channels[std::size_t(c)];
            for (sf_count_t f = 0; f < frames; ++f, sample += info.channels)
                samples.push_back(*sample);
        }
    }
}

// The curves of the samples read: a shared x of sample numbers, the range of the axes.
void makeCurves(ImportedData& data, std::vector<std::vector<double>> channels, std::size_t count)
{
    for (std::vector<double>& samples : channels)
        samples.resize(count);
    data.x.resize(count);
    std::iota(data.x.begin(), data.x.end(), 0.0);
    data.y = std::move(channels);
    data.range.addX(0.0);
    data.range.addX(double(count));
    data.range.addY(0.0);
    for (const std::vector<double>& samples : data.y)
        data.range.addY(samples.data(), samples.size());
}

void readCurves(ImportedData& data, SNDFILE* file, const SF_INFO& info, const QString& path, bool fitToPowerOfTwo)
{
    const int kept = std::min(info.channels, maxChannels);
    if (kept < info.channels)
        data.log << QStringLiteral("Kurvo: # Only the first %1 channels are read, %2 left out")
                        .arg(kept)
                        .arg(info.channels - kept);
    std::vector<std::vector<double>> channels = readChannels(file, info, kept);
    if (sf_error(file) != SF_ERR_NO_ERROR)
        data.log << QStringLiteral("Kurvo: # Reading stopped early: %1").arg(QString::fromLocal8Bit(sf_strerror(file)));
    std::size_t count = channels.front().size();
    if (count == 0) {
        data.log << QStringLiteral("Kurvo: # No samples in file %1.").arg(path);
        return;
    }
    if (fitToPowerOfTwo) {
        const std::size_t corrected = powerOfTwoCount(count);
        data.log << QStringLiteral("Kurvo: # Original points %1, corrected %2").arg(count).arg(corrected);
        count = corrected;
    }
    makeCurves(data, std::move(channels), count);
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
