#include "ScriptRun.h"

#include <benchmark/benchmark.h>

namespace {

const QString kScript = QStringLiteral("iterate 1000000\nexpr = sin(x)*cos(x)+x^2");

// A whole run as RUN does it: read, compile once, evaluate every point.
void BM_RunCompilingOnce(benchmark::State& state)
{
    for (auto _ : state) {
        const ScriptResult run = runScript(kScript);
        benchmark::DoNotOptimize(run.y()[run.evaluated - 1]);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_RunCompilingOnce)->Unit(benchmark::kMillisecond);

// The same run handing the text to the engine at every point, for comparison.
void BM_RunCompilingEveryPoint(benchmark::State& state)
{
    for (auto _ : state) {
        const ScriptResult run = runScript(kScript, compileEveryPoint);
        benchmark::DoNotOptimize(run.y()[run.evaluated - 1]);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_RunCompilingEveryPoint)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
