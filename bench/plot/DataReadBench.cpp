#include "BigTable.h"
#include "FileBytes.h"
#include "FileReaders.h"
#include "TextTableReader.h"

#include <QFile>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void setBytes(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bigTable().size()));
}

// The floor: std::from_chars over the same bytes into three columns, no checks at all.
void FromCharsLoop(benchmark::State& state)
{
    const std::string& text = bigTable();
    for (auto _ : state) {
        std::vector<double> columns[3];
        const char* p = text.data();
        const char* const end = p + text.size();
        while (p < end) {
            for (auto& column : columns) {
                double value = 0.0;
                p = std::from_chars(p, end, value).ptr + 1;
                column.push_back(value);
            }
        }
        benchmark::DoNotOptimize(columns);
    }
    setBytes(state);
}
BENCHMARK(FromCharsLoop)->Unit(benchmark::kMillisecond);

void TextTableReaderFromMemory(benchmark::State& state)
{
    const std::string& text = bigTable();
    for (auto _ : state) {
        ImportedData table = TextTableReader::read(text, QString(), false);
        benchmark::DoNotOptimize(table);
    }
    setBytes(state);
}
BENCHMARK(TextTableReaderFromMemory)->Unit(benchmark::kMillisecond);

void TextTableReaderFromFile(benchmark::State& state)
{
    const QString path = QString::fromStdString(bigTableFile());
    for (auto _ : state) {
        std::string bytes;
        readFileBytes(path, bytes);
        ImportedData table = TextTableReader::read(bytes, QString(), false);
        benchmark::DoNotOptimize(table);
    }
    setBytes(state);
}
BENCHMARK(TextTableReaderFromFile)->Unit(benchmark::kMillisecond);

// The program's own reading of a 10^7-row file, its rows on as many threads as the argument:
// wall time, since the threads' work is not the calling thread's.
void TextFileOnThreads(benchmark::State& state)
{
    const QString path = QString::fromStdString(hugeTableFile());
    qputenv("KURVO_THREADS", QByteArray::number(qlonglong(state.range(0))));
    for (auto _ : state) {
        ImportedData table = readTextFile(path, QString(), false);
        if (table.x.size() != hugeTableRows)
            state.SkipWithError("the table was not read whole");
        benchmark::DoNotOptimize(table);
    }
    qunsetenv("KURVO_THREADS");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(QFile(path).size()));
}
BENCHMARK(TextFileOnThreads)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same rows under a header, each behind an x value of its own: seconds as a number, or
// the same instant as an ISO date-time. Both take the reading of tables with a header.
template <typename Prefix>
std::string prefixedTable(Prefix prefix)
{
    std::string table = "t;a;b;c\n";
    table.reserve(bigTable().size() + 21 * 1000000);
    const std::string& rows = bigTable();
    std::size_t start = 0;
    for (int i = 0; start < rows.size(); ++i) {
        const std::size_t end = rows.find('\n', start);
        table += prefix(i);
        table.append(rows, start, end - start + 1);
        start = end + 1;
    }
    return table;
}

const std::string& numericXTable()
{
    static const std::string text = prefixedTable([](int i) { return std::to_string(1704067200 + i) + ";"; });
    return text;
}

const std::string& dateTimeXTable()
{
    static const std::string text = prefixedTable([](int i) {
        char field[32];
        std::snprintf(field, sizeof field, "2024-01-%02dT%02d:%02d:%02d;", 1 + i / 86400, i % 86400 / 3600,
                      i % 3600 / 60, i % 60);
        return std::string(field);
    });
    return text;
}

void TableWithNumericX(benchmark::State& state)
{
    const std::string& text = numericXTable();
    for (auto _ : state) {
        ImportedData table = TextTableReader::read(text, QString(), false);
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(TableWithNumericX)->Unit(benchmark::kMillisecond);

void TableWithDateTimeX(benchmark::State& state)
{
    const std::string& text = dateTimeXTable();
    for (auto _ : state) {
        ImportedData table = TextTableReader::read(text, QString(), false);
        if (!table.xIsTime || table.x.size() != 1000000)
            state.SkipWithError("the dates were not read as x");
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(TableWithDateTimeX)->Unit(benchmark::kMillisecond);

// The straightforward Qt way, for comparison.
void QtReadLineSplitToDouble(benchmark::State& state)
{
    const QString path = QString::fromStdString(bigTableFile());
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly | QIODevice::Text);
        std::vector<double> columns[3];
        while (!file.atEnd()) {
            const QStringList fields = QString(file.readLine(1024)).trimmed().split(';');
            for (int j = 0; j < 3 && j < fields.size(); ++j)
                columns[j].push_back(fields[j].trimmed().toDouble());
        }
        benchmark::DoNotOptimize(columns);
    }
    setBytes(state);
}
BENCHMARK(QtReadLineSplitToDouble)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
