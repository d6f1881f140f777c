#include "KurvoRenderFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

// kurvo-render's fit options, run as a user runs the program, on tables whose parameters are
// known.
class KurvoRenderFitTest : public KurvoRenderFixture
{
protected:
    // y = 2 exp(-0.7 x) + 0.5 at x = 0, 0.05, ..., 9.95, with a ripple for residuals.
    QString decayTable()
    {
        QByteArray table;
        for (int i = 0; i < 200; ++i) {
            const double x = i * 0.05;
            table += exact(x) + ';' + exact(2 * std::exp(-0.7 * x) + 0.5 + 0.001 * std::sin(13 * x)) + '\n';
        }
        return write("decay.csv", table);
    }
};

// NAME,VALUE lines, parameters keyed by their name.
std::map<QString, double> figures(const QString& out)
{
    std::map<QString, double> values;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(',');
        values[fields[0] == "param" ? fields[1] : fields[0]] = fields[fields[0] == "param" ? 2 : 1].toDouble();
    }
    return values;
}

TEST_F(KurvoRenderFitTest, AnExpressionFromStartValuesPrintsEveryFigure)
{
    const Outcome run = render({decayTable(), "--fit", "a*exp(-b*x)+c", "--fit-start", "b=0.5"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("param,a,"));
    EXPECT_EQ(lines[0].split(',').size(), 4);
    const QStringList keys{"rss", "rsd", "dof", "r2", "iterations"};
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_TRUE(lines[3 + i].startsWith(keys[i] + ',')) << lines[3 + i].toStdString();
    const auto values = figures(run.out);
    EXPECT_NEAR(values.at("a"), 2, 1e-3);
    EXPECT_NEAR(values.at("b"), 0.7, 1e-3);
    EXPECT_NEAR(values.at("c"), 0.5, 1e-3);
    EXPECT_EQ(values.at("dof"), 197);
    EXPECT_GT(values.at("iterations"), 0);
}

// The fitted curve is drawn with the others; the file holds what was printed.
TEST_F(KurvoRenderFitTest, ABuiltinModelItsCurveAndTheFile)
{
    const Outcome run = render({decayTable(), "--fit-model", "exp", "--fit-out", "fit.txt", "--dump", "curves.csv"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_NEAR(figures(run.out).at("b"), -0.7, 1e-3);
    EXPECT_EQ(QString::fromUtf8(contents("fit.txt")), run.out);
    EXPECT_EQ(contents("curves.csv").count("1,fit: exp,"), 200);
}

// The --range x limits are the x range the plot shows, and the fit takes its points alone.
TEST_F(KurvoRenderFitTest, TheRangeLimitsThePointsFitted)
{
    const QString knee = write("knee.csv", "0;0\n1;2\n2;4\n3;6\n4;100\n5;100\n");
    const Outcome run = render({knee, "--range", "0,3,0,10", "--fit-model", "poly:1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const auto values = figures(run.out);
    EXPECT_NEAR(values.at("a1"), 2, 1e-12);
    EXPECT_EQ(values.at("dof"), 2);
}

// The README's example: the file holds 1.2 exp(-t/0.8) sin(2 pi 2.5 t + 0.3) + 0.05 and
// noise of deviation 0.01.
TEST_F(KurvoRenderFitTest, TheExampleGivesBackTheParametersItWasMadeWith)
{
    const Outcome run = render({QStringLiteral(KURVO_EXAMPLES_DIR "/ringdown.csv"), "--fit",
                                "a*exp(-x/tau)*sin(2*pi*f*x + phi) + c", "--fit-start", "f=2.4,tau=1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 10) << run.out.toStdString();
    const std::pair<QString, double> made[] = {{"a", 1.2}, {"tau", 0.8}, {"f", 2.5}, {"phi", 0.3}, {"c", 0.05}};
    for (std::size_t i = 0; i < std::size(made); ++i) {
        const QStringList fields = lines[int(i)].split(',');
        EXPECT_EQ(fields[1], made[i].first);
        EXPECT_LT(std::fabs(fields[2].toDouble() - made[i].second), 3 * fields[3].toDouble()) << made[i].first.toStdString();
    }
    EXPECT_NEAR(figures(run.out).at("rsd"), 0.01, 0.001);
}

struct Failure {
    QStringList options;
    int status;
    QString reason;
};

TEST_F(KurvoRenderFitTest, FailuresExitWithTheReason)
{
    const QString table = decayTable();
    const QString pair = write("pair.csv", "0;1\n1;2\n");
    const Failure rows[] = {
        {{table, "--fit", "a*(x"}, 1, "does not parse"},
        {{pair, "--fit", "a+b*x+c*x^2"}, 1, "2 points for 3 parameters"},
        {{table, "--fit", "sqrt(x-a)", "--fit-start", "a=2"}, 1, "not finite at x = 0 with the start values"},
        {{table, "--fit", "a*x+b", "--fit-start", "q=1"}, 1, "q, which is no parameter of the model"},
        {{table, "--fit-model", "spline"}, 1, "is no built-in model"},
        {{table, "--fit-model", "exp", "--fit-start", "a=1"}, 1, "start values are for typed models"},
        {{table, "--fit", "a*x", "--fit-start", "a"}, 2, "--fit-start takes NAME=VALUE pairs"},
        {{table, "--fit", "a*x", "--fit-start", "a=one"}, 2, "--fit-start takes NAME=VALUE pairs"},
        {{table, "--fit"}, 2, "--fit needs a value"},
        {{table, "--fit", "a*x", "--fit-out", dir.filePath("missing/fit.txt")}, 2, "Can't write file"},
    };
    for (const Failure& row : rows) {
        const Outcome run = render(row.options);
        EXPECT_EQ(run.status, row.status) << row.options.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(row.reason)) << run.err.toStdString();
    }
}

TEST_F(KurvoRenderFitTest, TheHelpNamesTheOptions)
{
    const Outcome run = render({"--help"});
    for (const char* option : {"--fit EXPR", "--fit-model NAME", "--fit-start LIST", "--fit-out FILE"})
        EXPECT_TRUE(run.out.contains(option)) << option;
}

} // namespace
