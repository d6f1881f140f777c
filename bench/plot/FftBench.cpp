#include "Fft.h"

#include <benchmark/benchmark.h>

#ifdef KURVO_BENCH_FFTW
#include <fftw3.h>
#endif

#include <algorithm>
#include <random>
#include <vector>

namespace {

std::vector<double> noise(std::size_t n, unsigned seed)
{
    std::mt19937_64 generator(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::vector<double> values(n);
    for (double& v : values)
        v = uniform(generator);
    return values;
}

// Both transforms work in place, so every timed call gets the same input back first, with
// the clock paused: repeated transforms would otherwise drift into denormals or overflow.
struct Input {
    explicit Input(std::size_t n)
        : re(noise(n, 1))
        , im(noise(n, 2))
    {
    }
    std::vector<double> re;
    std::vector<double> im;
};

void setItems(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Our transform with the plan made once, as the spectrum tool uses it.
void KurvoForward(benchmark::State& state)
{
    const std::size_t n = std::size_t(state.range(0));
    const Input input(n);
    const Fft fft(n);
    std::vector<double> re(n);
    std::vector<double> im(n);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.re.begin(), input.re.end(), re.begin());
        std::copy(input.im.begin(), input.im.end(), im.begin());
        state.ResumeTiming();
        fft.forward(re.data(), im.data());
        benchmark::ClobberMemory();
    }
    setItems(state);
}
BENCHMARK(KurvoForward)->Arg(1 << 20)->Arg(44100)->Arg(1000003)->Unit(benchmark::kMillisecond);

// The same with the plan made on every call: tables, bit reversal, Bluestein's kernel.
void KurvoPlanAndForward(benchmark::State& state)
{
    const std::size_t n = std::size_t(state.range(0));
    const Input input(n);
    std::vector<double> re(n);
    std::vector<double> im(n);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.re.begin(), input.re.end(), re.begin());
        std::copy(input.im.begin(), input.im.end(), im.begin());
        state.ResumeTiming();
        const Fft fft(n);
        fft.forward(re.data(), im.data());
        benchmark::ClobberMemory();
    }
    setItems(state);
}
BENCHMARK(KurvoPlanAndForward)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

#ifdef KURVO_BENCH_FFTW
// The baseline: the established library's complex transform, planned by estimate only.
void FftwForward(benchmark::State& state)
{
    const std::size_t n = std::size_t(state.range(0));
    const Input input(n);
    auto* data = static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * n));
    const fftw_plan plan = fftw_plan_dft_1d(int(n), data, data, FFTW_FORWARD, FFTW_ESTIMATE);
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t k = 0; k < n; ++k) {
            data[k][0] = input.re[k];
            data[k][1] = input.im[k];
        }
        state.ResumeTiming();
        fftw_execute(plan);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(data);
    setItems(state);
}
BENCHMARK(FftwForward)->Arg(1 << 20)->Arg(44100)->Arg(1000003)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
