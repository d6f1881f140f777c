#include "KurvoRenderFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// --new-curve, --filter and --table run as a user runs kurvo-render.
class KurvoRenderCurvesTest : public KurvoRenderFixture
{
protected:
    // Two curves a and b over the same four x.
    QString twoCurves() { return write("two.csv", "x;a;b\n0;1;10\n0.5;2;20\n1;3;30\n1.5;4;40\n"); }
};

TEST_F(KurvoRenderCurvesTest, ANewCurveIsWrittenAsTheTableCopiesIt)
{
    const Outcome run = render({twoCurves(), "--new-curve", "c1 / c0 + x", "--table", "new.csv", "--table", "new.txt"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(contents("new.csv"), "index,x,y\n0,0,10\n1,0.5,10.5\n2,1,11\n3,1.5,11.5\n");
    EXPECT_EQ(contents("new.txt"), "index\tx\ty\n0\t0\t10\n1\t0.5\t10.5\n2\t1\t11\n3\t1.5\t11.5\n");
}

// Each operation works on the current curve, which the one before made: the names tell the
// chain, and --undo takes the last curve away.
TEST_F(KurvoRenderCurvesTest, FiltersChainOnTheCurrentCurveAndUndoTakesOneAway)
{
    const Outcome run = render({twoCurves(), "--select", "0", "--filter", "integral", "--filter", "derivative",
                                "--filter", "mean,3", "--undo", "--dump", "-"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count("\n2,a integral,"), 4);
    // The derivative of the trapezoid integral gives the line back.
    EXPECT_TRUE(run.out.contains("3,a integral derivative,0.5,2\n")) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains("mean 3 points"));
}

// A tone well inside the pass band comes through a zero-phase low-pass without lag; the
// sampling frequency is that of the x steps.
TEST_F(KurvoRenderCurvesTest, ALowPassKeepsATonesPhase)
{
    QByteArray table;
    for (int i = 0; i < 2048; ++i)
        table += QByteArray::number(i / 1024.0, 'g', 17) + ';' +
                 QByteArray::number(std::sin(2 * M_PI * 10 * i / 1024.0) + 0.5 * std::sin(2 * M_PI * 300 * i / 1024.0),
                                    'g', 17) +
                 '\n';
    const Outcome run = render({write("tone.csv", table), "--filter", "lowpass,50,6", "--table", "-"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2049);
    for (int i = 500; i < 1500; i += 37) {
        const QStringList fields = lines[i + 1].split('\t');
        EXPECT_NEAR(fields[2].toDouble(), std::sin(2 * M_PI * 10 * i / 1024.0), 1e-4) << i;
    }
}

TEST_F(KurvoRenderCurvesTest, DatesStayDates)
{
    const QString dates = write("dates.csv", "time;v\n2024-01-01 00:00:00;1\n2024-01-01 00:00:01.5;2\n2024-01-01 00:00:03;5\n");
    const Outcome run = render({dates, "--filter", "detrend,mean", "--table", "-"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
    EXPECT_EQ(lines[0], "index\tx\ty");
    EXPECT_TRUE(lines[1].startsWith("0\t2024-01-01 00:00:00\t-1.66666666666666")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("1\t2024-01-01 00:00:01.500\t-0.66666666666666")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("2\t2024-01-01 00:00:03\t2.33333333333333")) << lines[3].toStdString();
}

struct Refusal {
    QStringList arguments;
    const char* message;
};

void PrintTo(const Refusal& r, std::ostream* out) { *out << r.arguments.join(' ').toStdString(); }

class KurvoRenderCurvesRefusalTest : public KurvoRenderCurvesTest, public ::testing::WithParamInterface<Refusal>
{
};

// Refused with exit status 2 and a line that says why.
TEST_P(KurvoRenderCurvesRefusalTest, SaysWhy)
{
    QStringList arguments = GetParam().arguments;
    arguments.prepend(twoCurves());
    const Outcome run = render(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, QString("kurvo-render: %1\n").arg(GetParam().message));
    EXPECT_TRUE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, KurvoRenderCurvesRefusalTest,
    ::testing::Values(Refusal{{"--new-curve", "c0 - c9"}, "New curve: There is no curve 9 for \"c0 - c9\"."},
                      Refusal{{"--new-curve", "c0 -* 2"},
                              "New curve: The expression \"c0 -* 2\" does not parse: Invalid operator syntax: '*'"},
                      Refusal{{"--filter", "lowpass,1"},
                              "b lowpass 1 Hz refused: Cutoff frequencies must lie between 0 and half the sampling "
                              "frequency, 1 Hz."},
                      Refusal{{"--filter", "savgol,4,2"},
                              "b savgol 4 points order 2 refused: The Savitzky-Golay window must be an odd number of "
                              "points."},
                      Refusal{{"--filter", "mean"}, "--filter: mean takes mean,W: mean"},
                      Refusal{{"--table"}, "--table needs a value"}));

TEST_F(KurvoRenderCurvesTest, TheHelpNamesTheOptions)
{
    const Outcome run = render({"--help"});
    ASSERT_EQ(run.status, 0);
    for (const char* option : {"--new-curve EXPR", "--filter NAME[,ARG...]", "--table FILE", "detrend,mean|linear"})
        EXPECT_TRUE(run.out.contains(option)) << option;
}

} // namespace
