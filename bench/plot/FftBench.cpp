#include "Fft.h"
#include "Levels.h"
#include "RealFft.h"
#include "WindowFunction.h"

#include <benchmark/benchmark.h>

#ifdef KURVO_BENCH_FFTW
#include <fftw3.h>
#endif

#include <algorithm>
#include <cmath>
#include <complex>
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

// A power of two, the lengths of a second of sound at 44.1 and 48 kHz, a million, 3·2^18,
// and a prime, which only Bluestein's method does.
void lengths(benchmark::internal::Benchmark* bench)
{
    for (long n : {1L << 20, 44100L, 48000L, 1000000L, 3L << 18, 1000003L})
        bench->Arg(n);
    bench->Unit(benchmark::kMillisecond);
}

// Our complex transform with the plan made once, as fftPlan() keeps it.
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
BENCHMARK(KurvoForward)->Apply(lengths);

// The same plan on real input: all N bins, as the spectrum tool asks for them.
void KurvoForwardReal(benchmark::State& state)
{
    const std::size_t n = std::size_t(state.range(0));
    const Input input(n);
    const Fft fft(n);
    std::vector<double> re(n);
    std::vector<double> im(n);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.re.begin(), input.re.end(), re.begin());
        state.ResumeTiming();
        fft.forwardReal(re.data(), im.data());
        benchmark::ClobberMemory();
    }
    setItems(state);
}
BENCHMARK(KurvoForwardReal)->Apply(lengths);

// The unscaled real transform of the spectral measurements: bins 0 … N/2 only.
void KurvoRealFft(benchmark::State& state)
{
    const std::size_t n = std::size_t(state.range(0));
    const Input input(n);
    const RealFft& plan = realFftPlan(n);
    std::vector<std::complex<double>> out(plan.bins());
    for (auto _ : state) {
        plan.forward(input.re.data(), out.data());
        benchmark::ClobberMemory();
    }
    setItems(state);
}
BENCHMARK(KurvoRealFft)->Apply(lengths);

// Planning and one transform: tables, Bluestein's kernel.
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
BENCHMARK(KurvoPlanAndForward)->Arg(1 << 20)->Arg(1000000)->Unit(benchmark::kMillisecond);

// What the spectrum tool runs on a curve of N points, without the widgets: the Hann window,
// the transform of real input with the plan it keeps, the magnitudes, then dB (lifted clear
// of zero).
void SpectrumChain(benchmark::State& state)
{
    const std::size_t n = std::size_t(state.range(0));
    const Input input(n);
    std::vector<double> re(n);
    std::vector<double> im(n);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.re.begin(), input.re.end(), re.begin());
        state.ResumeTiming();
        applyWindow(WindowFunction::Hann, re.data(), n);
        fftPlan(n).forwardReal(re.data(), im.data());
        for (std::size_t k = 0; k < n; ++k)
            re[k] = std::sqrt(re[k] * re[k] + im[k] * im[k]);
        const double minimum = *std::min_element(re.begin(), re.end());
        shiftByMinimum(re.data(), n, minimum);
        toDecibels(re.data(), n, *std::min_element(re.begin(), re.end()));
        benchmark::ClobberMemory();
    }
    setItems(state);
}
BENCHMARK(SpectrumChain)->Arg(1 << 20)->Arg(1000000)->Unit(benchmark::kMillisecond);

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
BENCHMARK(FftwForward)->Apply(lengths);

// Its real-input transform, bins 0 … N/2, out of place as it plans it by estimate.
void FftwRealForward(benchmark::State& state)
{
    const std::size_t n = std::size_t(state.range(0));
    const Input input(n);
    auto* in = static_cast<double*>(fftw_malloc(sizeof(double) * n));
    auto* out = static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * (n / 2 + 1)));
    const fftw_plan plan = fftw_plan_dft_r2c_1d(int(n), in, out, FFTW_ESTIMATE);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.re.begin(), input.re.end(), in);
        state.ResumeTiming();
        fftw_execute(plan);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(out);
    fftw_free(in);
    setItems(state);
}
BENCHMARK(FftwRealForward)->Apply(lengths);
#endif

} // namespace

BENCHMARK_MAIN();
