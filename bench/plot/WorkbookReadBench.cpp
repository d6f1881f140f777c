// A table of 10^6 rows and three columns under a header row, read from a .xlsx workbook and
// from the same table as CSV: the workbook's cells go through the same table rules after
// their package is inflated and their XML read.

#include "FileReaders.h"
#include "WorkbookFormat.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <xlsxwriter.h>

#include <charconv>
#include <cstdint>
#include <string>

namespace {

constexpr int kRows = 1000000;

// Values of 6 to 17 digits, the same every run.
double valueAt(std::uint64_t& state)
{
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return double(state >> 11) / double(1ULL << 53) * 1000.0 - 500.0;
}

struct Files {
    QString csv;
    QString xlsx;
};

const Files& files()
{
    static const Files made = [] {
        Files paths{QDir::temp().filePath("kurvo-bench-table.csv"), QDir::temp().filePath("kurvo-bench-table.xlsx")};
        lxw_workbook_options options = {LXW_TRUE, nullptr, LXW_TRUE};
        lxw_workbook* book = workbook_new_opt(QFile::encodeName(paths.xlsx).constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        std::string csv = "t,a,b\n";
        const char* names[] = {"t", "a", "b"};
        for (int j = 0; j < 3; ++j)
            worksheet_write_string(sheet, 0, lxw_col_t(j), names[j], nullptr);
        std::uint64_t state = 1;
        char buffer[32];
        for (int i = 0; i < kRows; ++i) {
            const double row[3] = {i * 0.001, valueAt(state), valueAt(state)};
            for (int j = 0; j < 3; ++j) {
                worksheet_write_number(sheet, lxw_row_t(i + 1), lxw_col_t(j), row[j], nullptr);
                csv.append(buffer, std::size_t(std::to_chars(buffer, buffer + sizeof buffer, row[j]).ptr - buffer));
                csv += j < 2 ? ',' : '\n';
            }
        }
        workbook_close(book);
        QFile file(paths.csv);
        file.open(QIODevice::WriteOnly);
        file.write(csv.data(), qint64(csv.size()));
        return paths;
    }();
    return made;
}

void CsvFile(benchmark::State& state)
{
    for (auto _ : state) {
        ImportedData table = readTextFile(files().csv, QString(), false);
        benchmark::DoNotOptimize(table);
        if (table.y.size() != 2)
            state.SkipWithError("the CSV table gave no curves");
    }
}
BENCHMARK(CsvFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void XlsxFile(benchmark::State& state)
{
    const WorkbookFormat workbooks(WorkbookFormat::Kind::Xlsx);
    for (auto _ : state) {
        ImportedData table = workbooks.read(files().xlsx, QString(), QString(), false, TableOptions());
        benchmark::DoNotOptimize(table);
        if (table.y.size() != 2)
            state.SkipWithError("the workbook gave no curves");
    }
}
BENCHMARK(XlsxFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
