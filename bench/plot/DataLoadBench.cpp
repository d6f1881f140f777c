#include "BigTable.h"
#include "PlotImageWriter.h"
#include "PlotServer.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

// The whole way of a data file to a picture: load into the plot widget, render to PNG.
void LoadAndRenderPng(benchmark::State& state)
{
    const QString csv = QString::fromStdString(bigTableFile());
    const QString png = QDir::temp().filePath("kurvo-big.png");
    const bool render = state.range(0) != 0;
    for (auto _ : state) {
        PlotServer server;
        server.begin("Kurvo", "X", "Y", "");
        server.resize(1200, 800);
        server.addCurve(-1, csv, "big", false);
        if (render && !PlotImageWriter::write(server.plot(), png, QSize(1200, 800)))
            state.SkipWithError("the image could not be written");
    }
}
BENCHMARK(LoadAndRenderPng)->ArgName("render")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
