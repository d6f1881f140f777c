// A dataset of 10^7 doubles read into a curve from an HDF5 file, beside the plain reading of
// the same bytes from a file of their own into memory.

#include "Hdf5Format.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <hdf5.h>
#include <hdf5_hl.h>

#include <vector>

namespace {

constexpr hsize_t kValues = 10000000;

struct Files {
    QString raw;
    QString hdf5;
};

const Files& files()
{
    static const Files made = [] {
        Files paths{QDir::temp().filePath("kurvo-bench-values.bin"), QDir::temp().filePath("kurvo-bench-values.h5")};
        std::vector<double> values(kValues);
        for (hsize_t i = 0; i < kValues; ++i)
            values[i] = double(i % 1000) * 0.001 - 0.5;
        const hid_t file = H5Fcreate(QFile::encodeName(paths.hdf5).constData(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
        const hsize_t dims[1] = {kValues};
        H5LTmake_dataset_double(file, "/values", 1, dims, values.data());
        H5Fclose(file);
        QFile raw(paths.raw);
        raw.open(QIODevice::WriteOnly);
        raw.write(reinterpret_cast<const char*>(values.data()), qint64(values.size() * sizeof(double)));
        return paths;
    }();
    return made;
}

// The floor: the file's bytes into a buffer of doubles, as large as the dataset.
void FileBytes(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<double> values(kValues);
        QFile file(files().raw);
        file.open(QIODevice::ReadOnly);
        const qint64 read = file.read(reinterpret_cast<char*>(values.data()), qint64(kValues * sizeof(double)));
        benchmark::DoNotOptimize(values);
        if (read != qint64(kValues * sizeof(double)))
            state.SkipWithError("the file is short");
    }
}
BENCHMARK(FileBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

// The curve: its values, x counting them, and the range of both.
void Hdf5Dataset(benchmark::State& state)
{
    const Hdf5Format format;
    for (auto _ : state) {
        ImportedData data = format.read(files().hdf5, QStringLiteral("/values"), QString(), false, TableOptions());
        benchmark::DoNotOptimize(data);
        if (data.y.size() != 1)
            state.SkipWithError("the dataset gave no curve");
    }
}
BENCHMARK(Hdf5Dataset)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
