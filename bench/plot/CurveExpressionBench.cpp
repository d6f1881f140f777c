// An expression over curves of 10^7 points, compiled once and evaluated at every point: two
// curves of the same x point by point, the same with a function call, and a curve that has to
// be interpolated onto the other's x first. Beside them the difference computed natively.
#include "derive/CurveExpression.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <vector>

namespace {

constexpr std::size_t kPoints = 10000000;

struct Samples {
    std::vector<double> x;
    std::vector<double> y;
};

// Curves 0 and 1 share x; curve 2 has half as many points over the same range.
const std::map<int, Samples>& curves()
{
    static const std::map<int, Samples> all = [] {
        std::map<int, Samples> made;
        for (int id : {0, 1, 2}) {
            const std::size_t n = id == 2 ? kPoints / 2 : kPoints;
            Samples& s = made[id];
            s.x.resize(n);
            s.y.resize(n);
            for (std::size_t i = 0; i < n; ++i) {
                s.x[i] = double(i) * (double(kPoints) / double(n)) * 1e-4;
                s.y[i] = std::sin(s.x[i] * (id + 1));
            }
        }
        return made;
    }();
    return all;
}

bool lookup(int id, CurveExpression::Curve& curve)
{
    const auto it = curves().find(id);
    if (it == curves().end())
        return false;
    curve = {it->second.x.data(), it->second.y.data(), it->second.x.size()};
    return true;
}

void evaluate(benchmark::State& state, const char* text)
{
    curves();
    CurveExpression expression(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(expression.evaluate(lookup, 0));
    state.SetItemsProcessed(std::int64_t(state.iterations() * kPoints));
}

void CurveDifference(benchmark::State& state)
{
    evaluate(state, "c0 - c1");
}
BENCHMARK(CurveDifference)->Unit(benchmark::kMillisecond);

void CurveMagnitude(benchmark::State& state)
{
    evaluate(state, "sqrt(c0^2 + c1^2)");
}
BENCHMARK(CurveMagnitude)->Unit(benchmark::kMillisecond);

void CurveDifferenceInterpolated(benchmark::State& state)
{
    evaluate(state, "c0 - c2");
}
BENCHMARK(CurveDifferenceInterpolated)->Unit(benchmark::kMillisecond);

void CurveDifferenceNative(benchmark::State& state)
{
    const Samples& a = curves().at(0);
    const Samples& b = curves().at(1);
    for (auto _ : state) {
        std::vector<double> y(kPoints);
        for (std::size_t i = 0; i < kPoints; ++i)
            y[i] = a.y[i] - b.y[i];
        benchmark::DoNotOptimize(y);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations() * kPoints));
}
BENCHMARK(CurveDifferenceNative)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
