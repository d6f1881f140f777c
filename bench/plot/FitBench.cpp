// One iteration of a curve fit on a million points, beside the same arithmetic compiled
// natively. An iteration evaluates the model once for the residuals and twice per parameter
// for the central-difference Jacobian: 2*5 + 1 evaluations for five parameters. The ratio of
// FitIterationEngine to FitIterationNative is what the engine costs over native code.
#include "FitData.h"
#include "FitError.h"
#include "FitModel.h"
#include "FitProblem.h"
#include "NonlinearFit.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr std::size_t kPoints = 1000000;
const char* const kModel = "a*exp(-((x-b)^2/(2*c^2))) + d + s*x";
const std::vector<double> kTruth{2.0, 0.3, 0.15, 0.5, -0.4};

double peakOnSlope(double x, const double* p)
{
    return p[0] * std::exp(-((x - p[1]) * (x - p[1]) / (2 * p[2] * p[2]))) + p[3] + p[4] * x;
}

FitData noisyPeak()
{
    std::mt19937_64 generator(7);
    std::normal_distribution<double> noise(0.0, 0.01);
    std::vector<double> x(kPoints);
    std::vector<double> y(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) {
        x[i] = double(i) / double(kPoints);
        y[i] = peakOnSlope(x[i], kTruth.data()) + noise(generator);
    }
    return FitData(x, y);
}

const FitData& data()
{
    static const FitData points = noisyPeak();
    return points;
}

// Where the solver starts: every parameter 10 % off the truth.
std::vector<double> tenPercentOff()
{
    std::vector<double> start = kTruth;
    for (double& value : start)
        value *= 1.1;
    return start;
}

void setItems(benchmark::State& state)
{
    state.SetItemsProcessed(std::int64_t(state.iterations() * kPoints));
}

// The model cost of one iteration: residuals and Jacobian through the engine.
void FitIterationEngine(benchmark::State& state)
{
    FitModel model(kModel);
    FitProblem problem(model, data());
    std::vector<double> residuals(kPoints);
    std::vector<double> jacobian(kPoints * kTruth.size());
    for (auto _ : state) {
        problem.residuals(kTruth.data(), residuals.data());
        problem.jacobian(kTruth.data(), jacobian.data(), kTruth.size());
        benchmark::DoNotOptimize(jacobian.data());
    }
    setItems(state);
}
BENCHMARK(FitIterationEngine)->Unit(benchmark::kMillisecond);

// The same 2*5 + 1 evaluations as a C++ function over the points.
void FitIterationNative(benchmark::State& state)
{
    const std::vector<double>& x = data().x();
    std::vector<double> values(kPoints);
    std::vector<double> p = kTruth;
    for (auto _ : state) {
        for (std::size_t evaluation = 0; evaluation < 2 * kTruth.size() + 1; ++evaluation) {
            p[evaluation % kTruth.size()] += 1e-9;
            for (std::size_t i = 0; i < kPoints; ++i)
                values[i] = peakOnSlope(x[i], p.data());
            benchmark::DoNotOptimize(values.data());
        }
    }
    setItems(state);
}
BENCHMARK(FitIterationNative)->Unit(benchmark::kMillisecond);

// A first iteration as the solver runs it: the workspace, residuals and Jacobian at the
// start, then one trust-region step with its geodesic acceleration, the model at the trial
// point and the linear algebra over a million rows.
void FitIterationSolver(benchmark::State& state)
{
    FitModel model(kModel);
    const std::vector<double> start = tenPercentOff();
    for (auto _ : state) {
        NonlinearFit fit(model, data());
        fit.setMaxIterations(1);
        try {
            fit.solve(start);
        } catch (const FitError&) {
            // One iteration never converges from 10 % off: the exception ends the timing.
        }
    }
    setItems(state);
}
BENCHMARK(FitIterationSolver)->Unit(benchmark::kMillisecond);

// A complete fit from 10 % off every parameter.
void FitComplete(benchmark::State& state)
{
    FitModel model(kModel);
    const std::vector<double> start = tenPercentOff();
    for (auto _ : state) {
        NonlinearFit fit(model, data());
        benchmark::DoNotOptimize(fit.solve(start));
    }
    setItems(state);
}
BENCHMARK(FitComplete)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
