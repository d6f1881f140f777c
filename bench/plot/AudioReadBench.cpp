#include "AudioFileReader.h"

#include <QDir>
#include <QFile>

#include <sndfile.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <vector>

namespace {

constexpr int rate = 48000;
constexpr int channels = 2;
constexpr sf_count_t frames = 60 * rate;

// One minute of a stereo 16-bit WAV file at 48 kHz (about 11 MB), written once per process
// into the temporary folder: a tone on the left, a slower one on the right.
const QString& soundFile()
{
    static const QString path = [] {
        const QString file = QDir::temp().filePath("kurvo-bench-minute.wav");
        SF_INFO info = {};
        info.samplerate = rate;
        info.channels = channels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* sound = sf_open(QFile::encodeName(file).constData(), SFM_WRITE, &info);
        if (!sound) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(file), sf_strerror(nullptr));
            std::exit(1);
        }
        std::vector<short> block(2 * rate);
        for (sf_count_t second = 0; second < frames / rate; ++second) {
            for (int i = 0; i < rate; ++i) {
                block[std::size_t(2 * i)] = short(20000 * std::sin(2 * M_PI * 440 * i / rate));
                block[std::size_t(2 * i + 1)] = short(12000 * std::sin(2 * M_PI * 50 * i / rate));
            }
            sf_writef_short(sound, block.data(), rate);
        }
        sf_close(sound);
        return file;
    }();
    return path;
}

void setBytes(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * frames * channels * int64_t(sizeof(short)));
}

// The baseline: the library's float reads in blocks of 4096 samples, each channel appended to a
// list of floats reserved from the frame count; nothing else.
void SfReadfFloatLoop(benchmark::State& state)
{
    const QByteArray path = QFile::encodeName(soundFile());
    for (auto _ : state) {
        SF_INFO info = {};
        SNDFILE* sound = sf_open(path.constData(), SFM_READ, &info);
        std::vector<std::vector<float>> lists(std::size_t(info.channels));
        for (std::vector<float>& list : lists)
            list.reserve(std::size_t(info.frames));
        const int blockFrames = 4096 / info.channels;
        std::vector<float> block(4096);
        sf_count_t read;
        while ((read = sf_readf_float(sound, block.data(), blockFrames)) > 0) {
            for (sf_count_t f = 0; f < read; ++f) {
                for (int c = 0; c < info.channels; ++c)
                    lists[std::size_t(c)].push_back(block[std::size_t(f * info.channels + c)]);
            }
        }
        sf_close(sound);
        benchmark::DoNotOptimize(lists.data());
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(SfReadfFloatLoop)->Unit(benchmark::kMillisecond);

// The floor: the same reads into the block alone, no lists.
void SfReadfFloatBlockOnly(benchmark::State& state)
{
    const QByteArray path = QFile::encodeName(soundFile());
    for (auto _ : state) {
        SF_INFO info = {};
        SNDFILE* sound = sf_open(path.constData(), SFM_READ, &info);
        std::vector<float> block(4096);
        while (sf_readf_float(sound, block.data(), 4096 / info.channels) > 0)
            benchmark::DoNotOptimize(block.data());
        sf_close(sound);
    }
    setBytes(state);
}
BENCHMARK(SfReadfFloatBlockOnly)->Unit(benchmark::kMillisecond);

// The same plain loop with the reader's output: double lists and the shared x array. Reading
// writes three times the bytes of the float lists, which the float loop does not pay for.
void SfReadfDoubleLoop(benchmark::State& state)
{
    const QByteArray path = QFile::encodeName(soundFile());
    for (auto _ : state) {
        SF_INFO info = {};
        SNDFILE* sound = sf_open(path.constData(), SFM_READ, &info);
        std::vector<std::vector<double>> lists(std::size_t(info.channels));
        for (std::vector<double>& list : lists)
            list.reserve(std::size_t(info.frames));
        const int blockFrames = 4096 / info.channels;
        std::vector<double> block(4096);
        sf_count_t read;
        while ((read = sf_readf_double(sound, block.data(), blockFrames)) > 0) {
            for (sf_count_t f = 0; f < read; ++f) {
                for (int c = 0; c < info.channels; ++c)
                    lists[std::size_t(c)].push_back(block[std::size_t(f * info.channels + c)]);
            }
        }
        sf_close(sound);
        std::vector<double> x;
        x.reserve(lists.front().size());
        for (std::size_t i = 0; i < lists.front().size(); ++i)
            x.push_back(double(i));
        benchmark::DoNotOptimize(lists.data());
        benchmark::DoNotOptimize(x.data());
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(SfReadfDoubleLoop)->Unit(benchmark::kMillisecond);

// The reader: doubles for every sample, the shared x array and the range of the axes.
void ReadAudio(benchmark::State& state)
{
    const QString& path = soundFile();
    for (auto _ : state) {
        ImportedData data = readAudio(path, QStringLiteral("minute"), false);
        if (data.y.size() != std::size_t(channels))
            state.SkipWithError("the file gave no curves");
        benchmark::DoNotOptimize(data.y.data());
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(ReadAudio)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
