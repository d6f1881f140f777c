#include "FileBytes.h"
#include "PlotServer.h"
#include "ProjectFiles.h"
#include "ProjectReader.h"
#include "ProjectState.h"
#include "ProjectWriter.h"
#include "TextTableReader.h"

#include <QDir>

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int kPoints = 10000000;

// One curve of ten million points whose values need all seventeen digits: x steps of a
// thousandth, y a sine with a little of every frequency in it.
const ProjectState& bigProject()
{
    static const ProjectState state = [] {
        ProjectState project;
        ProjectCurve curve;
        curve.name = QStringLiteral("big");
        curve.x.resize(kPoints);
        curve.y.resize(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            curve.x[i] = i * 1e-3;
            curve.y[i] = std::sin(i * 0.001234567) + 1e-3 * std::sin(i * 7.654321);
        }
        project.curves = {curve};
        project.nextCurve = 1;
        return project;
    }();
    return state;
}

QString benchFile(const char* name)
{
    return QDir::temp().filePath(QLatin1String(name));
}

// The same points as a two-column table, each number as short as reads back exactly.
const QString& bigCsv()
{
    static const QString path = [] {
        const ProjectCurve& curve = bigProject().curves.front();
        std::string text = "x;y\n";
        char buffer[64];
        for (int i = 0; i < kPoints; ++i) {
            char* end = std::to_chars(buffer, buffer + sizeof buffer, curve.x[i]).ptr;
            *end++ = ';';
            end = std::to_chars(end, buffer + sizeof buffer, curve.y[i]).ptr;
            *end++ = '\n';
            text.append(buffer, end);
        }
        const QString file = benchFile("kurvo-bench-project.csv");
        writeFileBytes(file, text.data(), qint64(text.size()));
        return file;
    }();
    return path;
}

const QString& bigProjectFile()
{
    static const QString path = [] {
        const QString file = benchFile("kurvo-bench-project.kurvo");
        QString error;
        ProjectWriter::write(file, bigProject(), error);
        return file;
    }();
    return path;
}

// Written beside the file, on the disk and moved over it, as Save Project does.
void ProjectSave(benchmark::State& state)
{
    const QString path = benchFile("kurvo-bench-saved.kurvo");
    QString error;
    for (auto _ : state) {
        if (!ProjectWriter::write(path, bigProject(), error))
            state.SkipWithError(error.toStdString().c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 16 * kPoints);
}
BENCHMARK(ProjectSave)->Unit(benchmark::kMillisecond)->Iterations(5);

void ProjectRead(benchmark::State& state)
{
    const QString path = bigProjectFile();
    QString error;
    for (auto _ : state) {
        ProjectState read;
        if (!ProjectReader::readFile(path, read, error))
            state.SkipWithError(error.toStdString().c_str());
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(ProjectRead)->Unit(benchmark::kMillisecond)->Iterations(5);

// The baseline: the same points from a table, as the Open button reads a .csv file.
void CsvRead(benchmark::State& state)
{
    const QString path = bigCsv();
    for (auto _ : state) {
        std::string bytes;
        readFileBytes(path, bytes);
        ImportedData table = TextTableReader::read(bytes, QString(), false);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(CsvRead)->Unit(benchmark::kMillisecond)->Iterations(3);

// Into the plot: the project with its settings, the table with its statistics and axes.
void ProjectOpenIntoPlot(benchmark::State& state)
{
    const QString path = bigProjectFile();
    QString script;
    QString error;
    for (auto _ : state) {
        PlotServer server;
        server.begin("Kurvo", "X", "Y", "");
        if (!ProjectFiles(server).open(path, script, error))
            state.SkipWithError(error.toStdString().c_str());
    }
}
BENCHMARK(ProjectOpenIntoPlot)->Unit(benchmark::kMillisecond)->Iterations(5);

void CsvLoadIntoPlot(benchmark::State& state)
{
    const QString path = bigCsv();
    for (auto _ : state) {
        PlotServer server;
        server.begin("Kurvo", "X", "Y", "");
        server.addCurve(-1, path, "big", false);
    }
}
BENCHMARK(CsvLoadIntoPlot)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
