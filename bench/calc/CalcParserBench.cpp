#include "BenchExpressions.h"
#include "CalcParser.h"

#include <benchmark/benchmark.h>

namespace {

void engineEvaluate(benchmark::State& state)
{
    const BenchExpression& expression = benchExpressions()[state.range(0)];
    CalcParser parser;
    double x = 0.0;
    parser.defineVar("x", &x);
    parser.compile(expression.text);
    long i = 0;
    for (auto _ : state) {
        x = benchValue(++i);
        benchmark::DoNotOptimize(parser.evaluate());
    }
    state.SetLabel(expression.text);
}

void engineCompile(benchmark::State& state)
{
    const BenchExpression& expression = benchExpressions()[state.range(0)];
    CalcParser parser;
    double x = 0.5;
    parser.defineVar("x", &x);
    for (auto _ : state) {
        parser.compile(expression.text);
        benchmark::DoNotOptimize(parser.evaluate());
    }
    state.SetLabel(expression.text);
}

void nativeEvaluate(benchmark::State& state)
{
    const BenchExpression& expression = benchExpressions()[state.range(0)];
    double (*volatile function)(double) = expression.native;
    long i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(function(benchValue(++i)));
    state.SetLabel(expression.text);
}

} // namespace

BENCHMARK(engineEvaluate)->DenseRange(0, 4);
BENCHMARK(engineCompile)->DenseRange(0, 4);
BENCHMARK(nativeEvaluate)->DenseRange(0, 4);

BENCHMARK_MAIN();
