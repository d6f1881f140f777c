#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// Six measurements of 300,000 rows, written once for every run of the benchmark.
class Measurements
{
public:
    Measurements()
    {
        for (int file = 1; file <= 6; ++file) {
            QByteArray table = "t;v\n";
            for (int i = 0; i < 300000; ++i) {
                const double t = i / 48000.0;
                table += QByteArray::number(t, 'g', 17) + ';'
                       + QByteArray::number(std::exp(-t) * std::sin(2 * M_PI * 100 * file * t), 'g', 17) + '\n';
            }
            QFile out(dir.filePath(QStringLiteral("run%1.csv").arg(file)));
            out.open(QIODevice::WriteOnly);
            out.write(table);
            paths << out.fileName();
        }
    }

    QTemporaryDir dir;
    QStringList paths;
};

// kurvo-render --each over the six files, the statistics, three tones and a picture of each
// and the summary, with -j 1 and -j 2: the whole process as a user starts it.
void BM_EachOverSixFiles(benchmark::State& state)
{
    static const Measurements measurements;
    const QString jobs = QString::number(state.range(0));
    const QStringList arguments = measurements.paths
                                + QStringList{"--each", "-j", jobs, "--stats", "--tones", "3", "-o",
                                              measurements.dir.filePath("{name}.png"), "--summary",
                                              measurements.dir.filePath("summary.csv")};
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(KURVO_RENDER), arguments);
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            state.SkipWithError("kurvo-render failed");
            return;
        }
    }
}
BENCHMARK(BM_EachOverSixFiles)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
