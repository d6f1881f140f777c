#include "ColumnFormats.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

// A million measured values, written as the exports write them and, as the baseline, by a plain
// to_chars loop into one buffer.
namespace {

const std::size_t kPoints = 1000000;

const std::vector<double>& values()
{
    static const std::vector<double> v = [] {
        std::vector<double> samples(kPoints);
        for (std::size_t i = 0; i < kPoints; ++i)
            samples[i] = std::sin(0.001 * double(i)) * 123.456 + 1e-3 * double(i % 97);
        return samples;
    }();
    return v;
}

void PlainToCharsLoop(benchmark::State& state)
{
    for (auto _ : state) {
        std::string text;
        text.reserve(kPoints * 26);
        char buffer[32];
        for (double v : values()) {
            const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
            text.append(buffer, result.ptr);
            text += "\r\n";
        }
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(PlainToCharsLoop)->Unit(benchmark::kMillisecond);

// The baseline of the table: x and y of each row, as "x,y" lines.
void PlainToCharsLoopTwoColumns(benchmark::State& state)
{
    for (auto _ : state) {
        std::string text;
        text.reserve(kPoints * 52);
        char buffer[32];
        for (double v : values()) {
            auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
            text.append(buffer, result.ptr);
            text += ',';
            result = std::to_chars(buffer, buffer + sizeof buffer, v);
            text.append(buffer, result.ptr);
            text += '\n';
        }
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(PlainToCharsLoopTwoColumns)->Unit(benchmark::kMillisecond);

void TextColumn(benchmark::State& state)
{
    for (auto _ : state) {
        std::string text = textColumn(values().data(), kPoints);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(TextColumn)->Unit(benchmark::kMillisecond);

void DifColumn(benchmark::State& state)
{
    for (auto _ : state) {
        std::string text = difColumn("measured", values().data(), kPoints);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(DifColumn)->Unit(benchmark::kMillisecond);

void CurveTableOfOne(benchmark::State& state)
{
    const std::vector<TableCurve> curves = {{values().data(), values().data(), kPoints}};
    for (auto _ : state) {
        std::string text = curveTable(curves);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(CurveTableOfOne)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
