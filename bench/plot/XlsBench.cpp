#include "CurveWorkbook.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// One full sheet: the largest curve the "Excel" export writes on a single sheet.
const std::size_t points = Xls::curveRowsPerSheet;

// Measured-looking values (no exact RK: every number a NUMBER record) or values of two
// decimals (mostly exact RKs, x and y in one MULRK per row).
void makeCurve(bool twoDecimals, std::vector<double>& x, std::vector<double>& y)
{
    x.resize(points);
    y.resize(points);
    for (std::size_t i = 0; i < points; ++i) {
        x[i] = twoDecimals ? double(i) * 0.25 : double(i) / 44100.0;
        y[i] = twoDecimals ? std::round(std::sin(double(i) * 1e-3) * 1e4) / 100.0 : std::sin(double(i) * 1e-3);
    }
}

void WriteCurveFile(benchmark::State& state)
{
    std::vector<double> x, y;
    makeCurve(state.range(0) != 0, x, y);
    const std::string path = "/tmp/kurvo-xls-bench-" + std::to_string(getpid()) + ".xls";
    for (auto _ : state) {
        int sheets = 0;
        if (!Xls::writeCurve(path, "Messung-Ω", x.data(), y.data(), x.size(), sheets)) {
            state.SkipWithError("the workbook could not be written");
            break;
        }
        benchmark::DoNotOptimize(sheets);
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(points));
}
BENCHMARK(WriteCurveFile)
    ->ArgName("twoDecimals")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
