#include "HarmonicAnalysis.h"
#include "SpectralWindow.h"
#include "ToneEstimator.h"
#include "WelchPsd.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kFs = 48000;

// A second at 48 kHz: a tone between bins, its second and third harmonics, a spur and noise.
std::vector<double> testTone(std::size_t count)
{
    std::mt19937_64 generator(9);
    std::normal_distribution<double> noise(0.0, 1e-5);
    std::vector<double> y(count);
    for (std::size_t n = 0; n < count; ++n) {
        const double t = double(n) / kFs;
        y[n] = std::sin(2 * M_PI * 997.3 * t) + 1e-3 * std::sin(2 * M_PI * 1994.6 * t) +
               3e-4 * std::sin(2 * M_PI * 2991.9 * t) + 1e-4 * std::sin(2 * M_PI * 7001.1 * t) +
               noise(generator);
    }
    return y;
}

// Arguments: window index and number of points. The cosine sums have their kernel in closed
// form; the others (Gaussian here) sum over the window for every bin a fit reads.
void FindTones(benchmark::State& state)
{
    const std::vector<double> y = testTone(std::size_t(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(findTones(y.data(), y.size(), kFs, std::size_t(state.range(0)), 5));
}
BENCHMARK(FindTones)
    ->Args({3, 48000})
    ->Args({8, 48000})
    ->Args({10, 48000})
    ->Args({3, 1 << 20})
    ->Unit(benchmark::kMillisecond);

void AnalyseHarmonics(benchmark::State& state)
{
    const std::vector<double> y = testTone(std::size_t(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            analyseHarmonics(y.data(), y.size(), kFs, std::size_t(state.range(0)), 0));
    }
}
BENCHMARK(AnalyseHarmonics)
    ->Args({3, 48000})
    ->Args({10, 48000})
    ->Args({3, 1 << 20})
    ->Unit(benchmark::kMillisecond);

void WelchPsd(benchmark::State& state)
{
    const std::vector<double> y = testTone(1 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(welchPsd(y.data(), y.size(), kFs, std::size_t(state.range(0)), 50, 3));
    state.SetItemsProcessed(state.iterations() * std::int64_t(y.size()));
}
BENCHMARK(WelchPsd)->Arg(1024)->Arg(65536)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
