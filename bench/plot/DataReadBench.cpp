#include "BigTable.h"
#include "FileBytes.h"
#include "TextTableReader.h"

#include <QFile>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <charconv>
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

// The same rows under a header, each behind a date written as text: the second reading, which
// leaves the date column out and counts the rows as x.
const std::string& datedTable()
{
    static const std::string text = [] {
        std::string dated = "date;a;b;c\n";
        dated.reserve(bigTable().size() + 12 * 1000000);
        const std::string& rows = bigTable();
        std::size_t start = 0;
        while (start < rows.size()) {
            const std::size_t end = rows.find('\n', start);
            dated += "2024-01-31;";
            dated.append(rows, start, end - start + 1);
            start = end + 1;
        }
        return dated;
    }();
    return text;
}

void TextTableReaderHeaderAndDates(benchmark::State& state)
{
    const std::string& text = datedTable();
    for (auto _ : state) {
        ImportedData table = TextTableReader::read(text, QString(), false);
        benchmark::DoNotOptimize(table);
    }
    setBytes(state);
}
BENCHMARK(TextTableReaderHeaderAndDates)->Unit(benchmark::kMillisecond);

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
