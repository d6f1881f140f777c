#include "WavWriter.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>

namespace {

// Samples per write: the block that the samples are rounded in on their way to the file.
constexpr std::size_t blockSamples = 4096;
// Steps of the 24-bit samples from 0 to full scale.
constexpr double steps = 8388608.0;

// The file's rate is a whole positive number of samples per second.
int wholeRate(double sampleRate)
{
    if (!(sampleRate >= 1.0))
        return 1;
    return int(std::min(std::trunc(sampleRate), double(INT_MAX)));
}

// The nearest 24-bit sample, full scale at most. The library itself would cut the bits below
// the 24th away, which lowers every sample by half a step on average.
double onGrid(double v)
{
    if (std::isnan(v))
        return 0.0;
    return std::clamp(std::nearbyint(v * steps), -steps, steps - 1.0) / steps;
}

// Copies one block for writing and counts the samples beyond full scale.
std::size_t prepareBlock(const double* samples, std::size_t count, double* block)
{
    std::size_t clipped = 0;
    for (std::size_t i = 0; i < count; ++i) {
        block[i] = onGrid(samples[i]);
        if (std::abs(samples[i]) > 1.0)
            ++clipped;
    }
    return clipped;
}

// Writes every sample; false at the first block the file did not take whole.
bool writeSamples(SNDFILE* file, const double* samples, std::size_t count, std::size_t& clipped)
{
    double block[blockSamples];
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(blockSamples, count - done);
        clipped += prepareBlock(samples + done, n, block);
        if (sf_writef_double(file, block, sf_count_t(n)) != sf_count_t(n))
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool writeWav(const QString& path, const double* samples, std::size_t count, double sampleRate,
              std::size_t& clipped, QString& error)
{
    clipped = 0;
    SF_INFO info = {};
    info.samplerate = wholeRate(sampleRate);
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    errno = 0;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) {
        // The library's own text wraps the system's reason in words of its own.
        const QString reason = errno != 0 ? qt_error_string(errno) : QString::fromLocal8Bit(sf_strerror(nullptr));
        error = QStringLiteral("Kurvo: Can't write file %1: %2").arg(path, reason);
        return false;
    }
    // The samples arrive within full scale already; clipping stays on all the same, since
    // without it a sample that reached full scale would wrap round to the other sign.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    errno = 0;
    const bool written = writeSamples(file, samples, count, clipped);
    const QString writeError = written       ? QString()
                               : errno != 0 ? qt_error_string(errno)
                                            : QString::fromLocal8Bit(sf_strerror(file));
    const int closeError = sf_close(file);
    if (written && closeError == 0)
        return true;
    error = QStringLiteral("Kurvo: Can't write file %1: %2")
                .arg(path, written ? QString::fromLocal8Bit(sf_error_number(closeError)) : writeError);
    return false;
}
