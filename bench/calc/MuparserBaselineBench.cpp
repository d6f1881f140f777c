#include "BenchExpressions.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

namespace {

void muparserEval(benchmark::State& state)
{
    const BenchExpression& expression = benchExpressions()[state.range(0)];
    mu::Parser parser;
    double x = 0.0;
    parser.DefineVar("x", &x);
    parser.SetExpr(expression.muparserText);
    long i = 0;
    for (auto _ : state) {
        x = benchValue(++i);
        benchmark::DoNotOptimize(parser.Eval());
    }
    state.SetLabel(expression.muparserText);
}

void muparserSetExprEval(benchmark::State& state)
{
    const BenchExpression& expression = benchExpressions()[state.range(0)];
    mu::Parser parser;
    double x = 0.5;
    parser.DefineVar("x", &x);
    for (auto _ : state) {
        parser.SetExpr(expression.muparserText);
        benchmark::DoNotOptimize(parser.Eval());
    }
    state.SetLabel(expression.muparserText);
}

} // namespace

BENCHMARK(muparserEval)->DenseRange(0, 4);
BENCHMARK(muparserSetExprEval)->DenseRange(0, 4);
