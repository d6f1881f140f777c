#include "KurvoRenderFixture.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

// kurvo-render --each over a folder of measurements, run as a user runs it.
class KurvoRenderBatchTest : public KurvoRenderFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir(QStringLiteral("out"));
        for (int i = 1; i <= 3; ++i)
            inputs << write(QStringLiteral("wave%1.csv").arg(i), wave(i));
    }

    // A decaying sine of `cycles` cycles whose figures differ from file to file.
    static QByteArray wave(int cycles)
    {
        QByteArray table = "t;v\n";
        for (int i = 0; i < 400; ++i) {
            const double t = i / 400.0;
            table += QByteArray::number(t, 'g', 17) + ';'
                   + QByteArray::number(cycles * std::exp(-t) * std::sin(2 * M_PI * 8 * cycles * t), 'g', 17) + '\n';
        }
        return table;
    }

    QStringList inputs;
};

// The rows of a CSV whose fields hold no commas.
std::vector<QStringList> csvRows(const QByteArray& text)
{
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(text).split('\n', Qt::SkipEmptyParts))
        rows.push_back(line.split(','));
    return rows;
}

TEST_F(KurvoRenderBatchTest, EachInputWritesItsOwnFilesAndAFailureInTheMiddleStopsNoOther)
{
    const QStringList withMissing{inputs[0], dir.filePath("absent.csv"), inputs[1]};
    const Outcome outcome = render(withMissing + QStringList{"--each", "-j", "2", "--title", "{name} #{n}", "-o",
                                                             "out/{n}-{name}.csv", "--summary", "summary.csv"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains("absent.csv failed: cannot read")) << outcome.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("out/1-wave1.csv")));
    EXPECT_FALSE(QFile::exists(dir.filePath("out/2-absent.csv")));
    EXPECT_TRUE(QFile::exists(dir.filePath("out/3-wave2.csv")));
    const auto rows = csvRows(contents("summary.csv"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].mid(0, 4), (QStringList{"wave1", inputs[0], "ok", ""}));
    EXPECT_EQ(rows[2].mid(0, 3), (QStringList{"absent", dir.filePath("absent.csv"), "failed"}));
    EXPECT_TRUE(rows[2][3].startsWith("cannot read")) << rows[2][3].toStdString();
    EXPECT_EQ(rows[3].mid(0, 4), (QStringList{"wave2", inputs[1], "ok", ""}));
}

// An option's value spelt as an input stays the option's: only real inputs are taken apart.
TEST_F(KurvoRenderBatchTest, AValueNamedAsAnInputStaysAValue)
{
    const Outcome outcome = render({"--each", "--dump", "out/{name}.csv", "--title", "wave1.csv", inputs[0], inputs[1],
                                    "--save-project", "out/{n}.kurvo"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_TRUE(contents("out/1.kurvo").contains("wave1.csv"));
    EXPECT_TRUE(contents("out/2.kurvo").contains("wave1.csv"));
    EXPECT_TRUE(contents("out/wave1.csv").startsWith("id,name,x,y\n0,v,0,"));
    EXPECT_TRUE(contents("out/wave2.csv").startsWith("id,name,x,y\n0,v,0,"));
}

TEST_F(KurvoRenderBatchTest, InParallelEverythingIsAsOneAtATime)
{
    std::map<int, std::pair<Outcome, std::vector<QByteArray>>> runs;
    for (const int jobs : {1, 2}) {
        const QString j = QString::number(jobs);
        const Outcome outcome = render(inputs + QStringList{"--each", "-j" + j, "--stats", "--peaks", "0.5,0", "-o",
                                                            "out/" + j + "-{name}.png", "--summary", j + ".csv",
                                                            "--report", j + ".html"});
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        std::vector<QByteArray> files{contents(j + ".csv"), contents(j + ".html")};
        for (int i = 1; i <= 3; ++i)
            files.push_back(contents(QStringLiteral("out/%1-wave%2.png").arg(j).arg(i)));
        runs[jobs] = {outcome, files};
    }
    EXPECT_EQ(runs[1].first.out, runs[2].first.out);
    EXPECT_EQ(runs[1].first.err, runs[2].first.err);
    ASSERT_EQ(runs[1].second.size(), runs[2].second.size());
    for (std::size_t i = 0; i < runs[1].second.size(); ++i) {
        EXPECT_FALSE(runs[1].second[i].isEmpty()) << i;
        EXPECT_TRUE(runs[1].second[i] == runs[2].second[i]) << "file " << i << " differs";
    }
}

// The summary holds every digit; --stats prints six significant ones of the same figures.
TEST_F(KurvoRenderBatchTest, TheSummaryHoldsTheStatisticsOfEachInputAlone)
{
    ASSERT_EQ(render(inputs + QStringList{"--each", "--summary", "summary.csv"}).status, 0);
    const auto rows = csvRows(contents("summary.csv"));
    ASSERT_EQ(rows.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        const Outcome alone = render({inputs[i], "--stats"});
        ASSERT_EQ(alone.status, 0);
        const QStringList lines = alone.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 11);
        for (const QString& line : lines) {
            const QString label = line.section(' ', 0, 0);
            const int column = rows[0].indexOf(label);
            ASSERT_GE(column, 0) << label.toStdString();
            const double printed = line.section(' ', 1).toDouble();
            const double summed = rows[std::size_t(i + 1)][column].toDouble();
            EXPECT_NEAR(summed, printed, 5e-6 * std::abs(printed)) << label.toStdString();
            EXPECT_GT(rows[std::size_t(i + 1)][column].size(), 0);
        }
    }
}

// The harmonic figures and the fit's lines, name by name, as each input alone prints them.
TEST_F(KurvoRenderBatchTest, TheSummaryHoldsTheFiguresEachInputAlonePrints)
{
    const QStringList analyses{"--harmonics", "--fit-model", "line"};
    ASSERT_EQ(render(inputs + analyses + QStringList{"--each", "--summary", "summary.csv"}).status, 0);
    const auto rows = csvRows(contents("summary.csv"));
    ASSERT_EQ(rows.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        const Outcome alone = render(QStringList{inputs[i]} + analyses);
        ASSERT_EQ(alone.status, 0);
        std::map<QString, QString> printed;
        for (const QString& line : alone.out.split('\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(',');
            if (fields.size() == 4) {
                printed["fit_" + fields[1]] = fields[2];
                printed["fit_" + fields[1] + "_stderr"] = fields[3];
            } else {
                printed[rows[0].contains(fields[0]) ? fields[0] : "fit_" + fields[0]] = fields[1];
            }
        }
        ASSERT_EQ(printed.size(), 18u);
        for (const auto& [column, value] : printed) {
            ASSERT_TRUE(rows[0].contains(column)) << column.toStdString();
            EXPECT_EQ(rows[std::size_t(i + 1)][rows[0].indexOf(column)], value) << column.toStdString();
        }
    }
}

TEST_F(KurvoRenderBatchTest, TheReportReadsAsHtmlAndShowsInABrowser)
{
    // A name a page must escape.
    const QString odd = write(QStringLiteral("a<b>&c.csv"), wave(4));
    const Outcome made = render({inputs[0], odd, dir.filePath("absent.csv"), "--each", "--stats", "--tones", "2",
                                 "--report", "report.html", "--size", "400x300"});
    ASSERT_EQ(made.status, 2) << made.err.toStdString();
    const Outcome parsed = run(QStringLiteral("python3"),
                               {QStringLiteral(KURVO_CHECK_REPORT), "report.html", "wave1", "a<b>&c", "absent"},
                               environment());
    EXPECT_EQ(parsed.status, 0) << parsed.out.toStdString();
    EXPECT_TRUE(parsed.out.startsWith("pictures 2\n")) << parsed.out.toStdString();

    // scripts/install-deps installs the browser: without it the page was never seen.
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    ASSERT_FALSE(browser.isEmpty()) << "chromium is not installed (scripts/install-deps installs it)";
    const Outcome shown = run(browser, {"--headless", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + dir.filePath("browser"),
                                        "--screenshot=" + dir.filePath("shot.png"), "--window-size=400,800",
                                        QUrl::fromLocalFile(dir.filePath("report.html")).toString()},
                              environment(), QString(), QByteArray(), 120000);
    const QImage shot(dir.filePath("shot.png"));
    ASSERT_FALSE(shot.isNull()) << shown.err.toStdString();
    // The page's header colour, and more than a handful of colours: the page was drawn.
    bool header = false;
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 2) {
        for (int x = 0; x < shot.width(); x += 2) {
            const QRgb pixel = shot.pixel(x, y);
            header = header || (pixel & 0xFFFFFF) == 0x1F4E79;
            colours.insert(pixel);
        }
    }
    EXPECT_TRUE(header);
    EXPECT_GT(colours.size(), 20);
}

// script(1) gives the run a terminal of its own, as a user at a shell has one.
TEST_F(KurvoRenderBatchTest, ProgressShowsOnATerminalOnly)
{
    const QString line = QStringLiteral("'%1' '%2' '%3' --each --stats >/dev/null").arg(KURVO_RENDER, inputs[0], inputs[1]);
    const Outcome shown = run(QStringLiteral("script"), {"-qec", line, "/dev/null"}, environment());
    EXPECT_EQ(shown.status, 0);
    EXPECT_TRUE(shown.out.contains("[1/2] wave1.csv\r\n[2/2] wave2.csv\r\n")) << shown.out.toStdString();
    const Outcome redirected = render({inputs[0], inputs[1], "--each", "--stats"});
    EXPECT_EQ(redirected.status, 0);
    EXPECT_EQ(redirected.err, QString());
}

TEST_F(KurvoRenderBatchTest, BadUsageIsRefused)
{
    const std::vector<QStringList> lines{{inputs[0], "--summary", "s.csv"},
                                         {inputs[0], "--report", "r.html"},
                                         {inputs[0], "-j", "2"},
                                         {inputs[0], "--each", "-j", "0"},
                                         {inputs[0], "--each", "-j65"},
                                         {inputs[0], "--each", "-j"},
                                         {"-", "--each"}};
    for (const QStringList& line : lines) {
        const Outcome outcome = render(line);
        EXPECT_EQ(outcome.status, 2) << line.join(' ').toStdString();
        EXPECT_TRUE(outcome.err.startsWith("kurvo-render: ")) << outcome.err.toStdString();
    }
}

TEST_F(KurvoRenderBatchTest, AnUnwritableSummaryIsNoSuccess)
{
    const Outcome outcome = render({inputs[0], "--each", "--summary", "nowhere/s.csv"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains("cannot write the summary nowhere/s.csv")) << outcome.err.toStdString();
}

} // namespace
