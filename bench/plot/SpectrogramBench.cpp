#include "SpectralWindow.h"
#include "Spectrogram.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kFs = 48000;

// Ten minutes at 48 kHz: a tone sweeping up and down every few seconds over noise.
const std::vector<double>& tenMinutes()
{
    static const std::vector<double> y = [] {
        std::mt19937_64 generator(3);
        std::normal_distribution<double> noise(0.0, 1e-3);
        std::vector<double> values(std::size_t(600 * kFs));
        double phase = 0;
        for (std::size_t n = 0; n < values.size(); ++n) {
            const double t = double(n) / kFs;
            phase += 2 * M_PI * (3000 + 2000 * std::sin(2 * M_PI * t / 7)) / kFs;
            values[n] = 0.5 * std::sin(phase) + noise(generator);
        }
        return values;
    }();
    return y;
}

// Arguments: segment length and overlap in percent; one core, as the window computes it.
void SpectrogramOfTenMinutes(benchmark::State& state)
{
    const std::vector<double>& y = tenMinutes();
    const auto hann = std::size_t(spectralWindowIndex("Hann"));
    for (auto _ : state) {
        const Spectrogram s(y.data(), y.size(), kFs, std::size_t(state.range(0)), double(state.range(1)), hann);
        benchmark::DoNotOptimize(s.row(0));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(y.size()));
}
BENCHMARK(SpectrogramOfTenMinutes)->Args({2048, 50})->Args({512, 75})->Args({8192, 50})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
