#include "AudioFileReader.h"

#include "AvailableMemory.h"
#include "FreshColumn.h"
#include "PointLimit.h"
#include "PowerOfTwo.h"
#include "ReadProgress.h"
#include "SystemMemory.h"

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

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

int framesPerBlock(int channels)
{
    return std::max(1, blockSamples / channels);
}

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

// What every audio file gives before its samples are read.
ImportedData audioData(const QString& name)
{
    ImportedData data;
    data.title = name;
    // The current curve stays on the first channel.
    data.selectEachCurve = false;
    return data;
}

// The points the header promises, cut to what a curve holds and, for the Fourier transform,
// to a power of two: no more frames are read, so no more memory is taken.
struct Plan {
    std::size_t offered = 0;
    std::size_t wanted = 0;
    bool beyondCurve = false;
};

// A stream that does not tell its length (a FLAC file written as it was recorded) is counted
// by reading it once, up to one frame past what a curve holds, and rewound; -1 when it cannot
// be rewound.
sf_count_t countFrames(SNDFILE* file, const SF_INFO& info)
{
    if (info.frames != SF_COUNT_MAX)
        return info.frames;
    const int blockFrames = framesPerBlock(info.channels);
    std::vector<double> block(std::size_t(blockFrames) * std::size_t(info.channels));
    sf_count_t counted = 0;
    while (curveHolds(std::size_t(counted))) {
        const sf_count_t frames = sf_readf_double(file, block.data(), blockFrames);
        if (frames <= 0)
            break;
        counted += frames;
    }
    return sf_seek(file, 0, SEEK_SET) == 0 ? counted : -1;
}

Plan planPoints(sf_count_t fileFrames, bool fitToPowerOfTwo)
{
    Plan plan;
    const std::size_t frames = fileFrames > 0 ? std::size_t(fileFrames) : 0;
    plan.beyondCurve = !curveHolds(frames);
    plan.offered = plan.beyondCurve ? kMaxCurvePoints : frames;
    plan.wanted = fitToPowerOfTwo ? powerOfTwoCount(plan.offered) : plan.offered;
    return plan;
}

// Tenths of a gigabyte, and thousandths below one, where tenths would all read 0.0.
QString gigabytes(quint64 bytes)
{
    const double gb = double(bytes) / 1e9;
    return QString::number(gb, 'f', gb < 1.0 ? 3 : 1);
}

// A file that needs more than the system has would be read until the system ends the program.
bool fitsInMemory(ImportedData& data, const QString& path, std::size_t points, int channels,
                  const AvailableMemory& memory)
{
    const quint64 needed = bytesToReadAudio(points, channels);
    const quint64 available = memory.bytes();
    if (needed <= available)
        return true;
    data.log << QStringLiteral("Kurvo: Not enough memory to read %1 (%2 GB needed, %3 GB available)")
                    .arg(path, gigabytes(needed), gigabytes(available));
    return false;
}

// The curves' own columns, filled block by block as the file is read, and their limits.
struct Curves {
    explicit Curves(int channels)
        : columns(std::size_t(channels))
        , limits(std::size_t(channels))
    {
    }

    std::vector<ImportedData::Column> columns;
    std::vector<FiniteLimits> limits;
};

// Spreads one block over the columns from `at` on, one channel at a time, and takes each
// channel's limits while its samples are still in the cache.
void spread(Curves& curves, const double* block, std::size_t stride, std::size_t at, std::size_t frames)
{
    for (std::size_t c = 0; c < curves.columns.size(); ++c) {
        double* to = curves.columns[c].data() + at;
        for (std::size_t i = 0; i < frames; ++i)
            to[i] = block[i * stride + c];
        curves.limits[c].add(to, frames);
    }
}

// Reads up to `wanted` frames in blocks straight into the curves' columns, made beforehand
// and filled once, never zeroed first; the channels beyond the kept ones are read past. Returns the frames
// read: fewer at the end of the file or at a read error.
std::size_t readFrames(SNDFILE* file, const SF_INFO& info, Curves& curves, std::size_t wanted)
{
    for (ImportedData::Column& column : curves.columns)
        column = freshColumn(int(wanted));
    const std::size_t stride = std::size_t(info.channels);
    const std::size_t blockFrames = std::size_t(framesPerBlock(info.channels));
    std::vector<double> block(blockFrames * stride);
    std::size_t read = 0;
    // A cancelled load stops between blocks; what was read of it is thrown away.
    while (read < wanted && !ReadProgress::cancelRequested()) {
        const sf_count_t frames = sf_readf_double(file, block.data(), sf_count_t(std::min(blockFrames, wanted - read)));
        if (frames <= 0)
            break;
        spread(curves, block.data(), stride, read, std::size_t(frames));
        read += std::size_t(frames);
        ReadProgress::report(read, wanted);
    }
    return read;
}

// The curves of the first `count` samples: x the sample numbers, kept as a start and a step,
// and the range of the axes. Only the frames read hold values, so the columns are cut to them.
void finishCurves(ImportedData& data, Curves& curves, std::size_t count)
{
    data.evenX = EvenX{-0.0, 1.0};
    data.range.addX(0.0);
    data.range.addX(double(count));
    data.range.addY(0.0);
    for (std::size_t c = 0; c < curves.columns.size(); ++c) {
        ImportedData::Column& column = curves.columns[c];
        if (count < std::size_t(column.size())) {
            column.resize(int(count));
            curves.limits[c] = FiniteLimits();
            curves.limits[c].add(column.constData(), count);
        }
        curves.limits[c].widenRange(data.range);
    }
}

void readCurves(ImportedData& data, SNDFILE* file, const SF_INFO& info, const QString& path, bool fitToPowerOfTwo,
                const AvailableMemory& memory)
{
    const int kept = std::min(info.channels, maxChannels);
    if (kept < info.channels)
        data.log << QStringLiteral("Kurvo: # Only the first %1 channels are read, %2 left out")
                        .arg(kept)
                        .arg(info.channels - kept);
    const sf_count_t frames = countFrames(file, info);
    if (frames < 0) {
        data.log << QStringLiteral("Kurvo: # %1 does not tell its length and cannot be read twice").arg(path);
        return;
    }
    const Plan plan = planPoints(frames, fitToPowerOfTwo);
    if (!fitsInMemory(data, path, plan.wanted, info.channels, memory))
        return;
    Curves curves(kept);
    const std::size_t read = readFrames(file, info, curves, plan.wanted);
    if (sf_error(file) != SF_ERR_NO_ERROR)
        data.log << QStringLiteral("Kurvo: # Reading stopped early: %1").arg(QString::fromLocal8Bit(sf_strerror(file)));
    if (read == 0) {
        data.log << QStringLiteral("Kurvo: # No samples in file %1.").arg(path);
        return;
    }
    if (plan.beyondCurve)
        data.log << QStringLiteral("Kurvo: # Only the first %1 points are read").arg(kMaxCurvePoints);
    // A file that ends before its header said has only the frames read.
    std::size_t count = read < plan.wanted ? read : plan.offered;
    if (fitToPowerOfTwo) {
        const std::size_t corrected = powerOfTwoCount(count);
        data.log << QStringLiteral("Kurvo: # Original points %1, corrected %2").arg(count).arg(corrected);
        count = corrected;
    }
    finishCurves(data, curves, count);
    data.y = std::move(curves.columns);
    data.sampleRate = info.samplerate;
    data.closingLog << QStringLiteral("Kurvo: # Points x channel %1").arg(count);
}

} // namespace

quint64 bytesToReadAudio(std::size_t points, int channels)
{
    const quint64 perPoint = quint64(std::min(channels, maxChannels)) * sizeof(double);
    const quint64 block = quint64(framesPerBlock(channels)) * quint64(channels) * sizeof(double);
    return quint64(points) * perPoint + block;
}

ImportedData readAudio(const QString& path, const QString& name, bool fitToPowerOfTwo)
{
    return readAudioWithin(path, name, fitToPowerOfTwo, SystemMemory());
}

ImportedData readAudioWithin(const QString& path, const QString& name, bool fitToPowerOfTwo,
                             const AvailableMemory& memory)
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
        readCurves(data, file.get(), info, path, fitToPowerOfTwo, memory);
    } catch (const std::bad_alloc&) {
        // Only the lines logged so far are kept; the samples go with `data`.
        ImportedData failed = audioData(name);
        failed.log = data.log;
        failed.log << QStringLiteral("Kurvo: Not enough memory to read %1").arg(path);
        return failed;
    }
    return data;
}
