#include "AddressSpaceLimit.h"
#include "PointLimit.h"
#include "QStringPrinter.h"
#include "ScriptParser.h"
#include "ReadProgress.h"
#include "ScriptRun.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <new>
#include <vector>

namespace {

std::vector<double> xs(const ScriptResult& run)
{
    std::vector<double> values;
    for (quint32 i = 0; i < run.evaluated; ++i)
        values.push_back(run.x.at(i));
    return values;
}

std::vector<double> ys(const ScriptResult& run)
{
    return std::vector<double>(run.y(), run.y() + run.evaluated);
}

// The single value of a one-point script.
double valueOf(const QString& expression)
{
    const ScriptResult run = runScript("iterate 1\nexpr = " + expression);
    EXPECT_TRUE(run.ok) << expression.toStdString() << ": " << run.error.toStdString();
    return run.ok ? run.y()[0] : std::nan("");
}

TEST(ScriptRunTest, StepSetsTheAbscissaAndXTheOrdinate)
{
    const ScriptResult run = runScript("iterate 5\nstep 0.5\nexpr = x");
    ASSERT_TRUE(run.ok) << run.error.toStdString();
    EXPECT_EQ(run.evaluated, 5u);
    EXPECT_EQ(xs(run), (std::vector<double>{0, 0.5, 1, 1.5, 2}));
    EXPECT_EQ(ys(run), (std::vector<double>{0, 0.5, 1, 1.5, 2}));
}

TEST(ScriptRunTest, DefaultStepIsOne)
{
    const ScriptResult run = runScript("iterate 4\nexpr = 2*x");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(xs(run), (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(ys(run), (std::vector<double>{0, 2, 4, 6}));
}

TEST(ScriptRunTest, DefaultCountIsAThousand)
{
    const ScriptResult run = runScript("expr = i");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.evaluated, 1000u);
    EXPECT_EQ(run.y()[999], 999.0);
}

TEST(ScriptRunTest, YHoldsTheResultOfThePointBefore)
{
    const ScriptResult run = runScript("iterate 5\nexpr = y+1");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(ys(run), (std::vector<double>{1, 2, 3, 4, 5}));
}

TEST(ScriptRunTest, RecurrenceOnYFollowsEveryPoint)
{
    const ScriptResult run = runScript("iterate 4\nexpr = y*2 + x");
    ASSERT_TRUE(run.ok);
    // 0, 0*2+1, 1*2+2, 4*2+3
    EXPECT_EQ(ys(run), (std::vector<double>{0, 1, 4, 11}));
}

TEST(ScriptRunTest, AnsHoldsTheLastResultLikeY)
{
    const ScriptResult run = runScript("iterate 4\nexpr = ans + y + 1");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(ys(run), (std::vector<double>{1, 3, 7, 15}));
}

TEST(ScriptRunTest, IIsThePointNumberAndOaRunsFromZeroToOne)
{
    const ScriptResult i = runScript("iterate 3\nstep 7\nexpr = i");
    EXPECT_EQ(ys(i), (std::vector<double>{0, 1, 2}));
    const ScriptResult oa = runScript("iterate 5\nexpr = oa");
    EXPECT_EQ(ys(oa), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
    // One point: 0/0.
    const ScriptResult single = runScript("iterate 1\nexpr = oa");
    ASSERT_TRUE(single.ok);
    EXPECT_TRUE(std::isnan(single.y()[0]));
}

TEST(ScriptRunTest, DtAndLenReadZero)
{
    EXPECT_EQ(valueOf("dT + len + 1"), 1.0);
}

TEST(ScriptRunTest, ConstantsHaveTheirValues)
{
    EXPECT_EQ(valueOf("pi"), 3.141592653589793);
    EXPECT_EQ(valueOf("e"), 2.718281828459045);
    EXPECT_EQ(valueOf("lg2"), 0.6931471805599453);
    EXPECT_EQ(valueOf("sr2"), 1.4142135623730951);
    EXPECT_EQ(valueOf("gamma"), 0.5772156649015329);
    EXPECT_EQ(valueOf("aperys"), 1.2020569031595942);
    EXPECT_EQ(valueOf("gr"), 1.618033988749895);
    EXPECT_EQ(valueOf("c"), 299792458.0);
    EXPECT_EQ(valueOf("g"), 9.80665);
    EXPECT_EQ(valueOf("h"), 6.6260689633e-34);
    EXPECT_EQ(valueOf("ec"), 1.6021764874e-19);
}

TEST(ScriptRunTest, IterateZeroEvaluatesNothingAndSucceeds)
{
    // Not even the broken expression is looked at.
    const ScriptResult run = runScript("iterate 0\nexpr = (((");
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.evaluated, 0u);
    EXPECT_TRUE(run.error.isEmpty());
    EXPECT_TRUE(run.yValues.isEmpty());
}

TEST(ScriptRunTest, ScriptWithoutExprGivesNaNEverywhere)
{
    const ScriptResult run = runScript("iterate 3\ntitle \"Empty\"");
    ASSERT_TRUE(run.ok) << run.error.toStdString();
    EXPECT_EQ(run.evaluated, 3u);
    for (double y : ys(run))
        EXPECT_TRUE(std::isnan(y));
    EXPECT_EQ(xs(run), (std::vector<double>{0, 1, 2}));
}

TEST(ScriptRunTest, ComparisonWithEqualsIsCutAndRejected)
{
    const ScriptResult run = runScript("iterate 3\nexpr = if(x<=1, 0, 1)");
    EXPECT_EQ(run.expression, "if(x<");
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.evaluated, 0u);
    EXPECT_FALSE(run.error.isEmpty());
    // Without "=" the comparison works.
    const ScriptResult fine = runScript("iterate 3\nexpr = if(x<2, 0, 1)");
    ASSERT_TRUE(fine.ok) << fine.error.toStdString();
    EXPECT_EQ(ys(fine), (std::vector<double>{0, 0, 1}));
}

TEST(ScriptRunTest, UnitSuffixesEvaluate)
{
    EXPECT_EQ(valueOf("2kV"), 2000.0);
    EXPECT_DOUBLE_EQ(valueOf("5TeV"), 5 * 1.60218 * std::pow(10.0, -7));
    EXPECT_DOUBLE_EQ(valueOf("2.5GHz"), 2.5e9);
    EXPECT_DOUBLE_EQ(valueOf("3mA"), 3e-3);
}

TEST(ScriptRunTest, IsFiniteIsBrokenByTheUnitRules)
{
    const ScriptResult run = runScript("iterate 2\nexpr = isFinite(x)");
    EXPECT_EQ(run.expression, "is*1inite(x)");
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.evaluated, 0u);
}

TEST(ScriptRunTest, SubstitutionsApplyBeforeTheUnits)
{
    const ScriptResult run = runScript("iterate 2\ndef R1 1.5k\nexpr = R1*x");
    EXPECT_EQ(run.expression, "1.5*10^3*x");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(ys(run), (std::vector<double>{0, 1500}));
}

TEST(ScriptRunTest, TrailingCommentsNeverReachTheEngine)
{
    const ScriptResult run = runScript("iterate 3 // points\n"
                                       "def k 3 // three\n"
                                       "expr = k*x^2 // square\n"
                                       "title \"see http://x\" // where");
    ASSERT_TRUE(run.ok) << run.error.toStdString();
    EXPECT_EQ(ys(run), (std::vector<double>{0, 3, 12}));
    EXPECT_EQ(run.settings.title, "see http://x");
}

TEST(ScriptRunTest, SubstitutionInsideAWordBreaksIt)
{
    const ScriptResult run = runScript("iterate 1\ndef a 3\nexpr = tan(a)");
    EXPECT_EQ(run.expression, "t3n(3)");
    EXPECT_FALSE(run.ok);
}

TEST(ScriptRunTest, LongerNameIsSubstitutedFirst)
{
    const ScriptResult run = runScript("iterate 1\ndef a 3\ndef ab 2\nexpr = ab*10+a");
    EXPECT_EQ(run.expression, "2*10+3");
    EXPECT_EQ(run.y()[0], 23.0);
}

TEST(ScriptRunTest, UndefinedVariableFailsAtTheFirstPointWithItsName)
{
    const ScriptResult run = runScript("iterate 10\nexpr = 2*q");
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.evaluated, 0u);
    EXPECT_EQ(run.error, "Undefined variable: 'q'");
}

TEST(ScriptRunTest, FailureAtPointFiveStopsTheRun)
{
    std::vector<quint32> points;
    const PointEvaluator failAtFive = [&](ScriptParser& parser, const QString& expression, quint32 point,
                                          bool* ok) {
        points.push_back(point);
        return point == 5 ? parser.evaluate("nosuch", ok) : compileOnce(parser, expression, point, ok);
    };
    const ScriptResult run = runScript("iterate 10\ntitle \"T\"\nexpr = x", failAtFive);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.evaluated, 5u);
    EXPECT_EQ(points, (std::vector<quint32>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(run.error, "Undefined variable: 'nosuch'");
    EXPECT_EQ(run.settings.title, "T");
    EXPECT_EQ(ys(run), (std::vector<double>{0, 1, 2, 3, 4}));
}

TEST(ScriptRunTest, CompilingAtEveryPointGivesTheSameResults)
{
    const QString script = "iterate 50\nstep 0.1\nexpr = sin(x)*y + ans/3 + oa - i";
    const ScriptResult once = runScript(script);
    const ScriptResult every = runScript(script, compileEveryPoint);
    ASSERT_TRUE(once.ok);
    ASSERT_TRUE(every.ok);
    EXPECT_EQ(ys(once), ys(every));
    EXPECT_EQ(xs(once), xs(every));

    const ScriptResult bad = runScript("iterate 5\nexpr = 2*q", compileEveryPoint);
    EXPECT_EQ(bad.evaluated, 0u);
    EXPECT_EQ(bad.error, "Undefined variable: 'q'");
}

// Few enough for a curve, too many for the memory at hand.
TEST(ScriptRunTest, TooManyPointsToHoldIsReported)
{
    // The points take 1.6 GB: y only, since x steps evenly.
    AddressSpaceLimit limit(1ull << 30);
    if (!limit.isActive())
        GTEST_SKIP() << "the address space cannot be capped here";
    const ScriptResult run = runScript("iterate 200000000\ntitle \"Huge\"\nexpr = x");
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.error, "Not enough memory for 200000000 points");
    EXPECT_EQ(run.evaluated, 0u);
    EXPECT_TRUE(run.yValues.isEmpty());
    EXPECT_EQ(run.settings.title, "Huge");
}

// A point evaluator that counts its calls and fails at the first, so that a run that would
// evaluate shows it without evaluating every point.
struct CountingEvaluator {
    int calls = 0;
    PointEvaluator evaluator()
    {
        return [this](ScriptParser& parser, const QString&, quint32, bool* ok) {
            ++calls;
            return parser.evaluate("nosuch", ok);
        };
    }
};

TEST(ScriptRunTest, CountsNoCurveHoldsAreRefusedBeforeAnyPoint)
{
    for (const quint32 count : {quint32(kMaxCurvePoints + 1), quint32(300000000)}) {
        CountingEvaluator counter;
        const ScriptResult run =
            runScript(QStringLiteral("iterate %1\nexpr = x").arg(count), counter.evaluator());
        EXPECT_EQ(counter.calls, 0) << count;
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(run.error, QStringLiteral("Not enough memory for %1 points").arg(count));
        EXPECT_TRUE(run.yValues.isEmpty());
    }
}

// The engine never sees a script whose count could not be read: no points, a parser error
// naming the statement.
TEST(ScriptRunTest, UnreadableCountIsAParserError)
{
    for (const char* count : {"1e12", "-1", "4294967296", "none"}) {
        CountingEvaluator counter;
        const ScriptResult run =
            runScript(QStringLiteral("title \"T\"\niterate %1\nexpr = x").arg(count), counter.evaluator());
        EXPECT_FALSE(run.ok) << count;
        EXPECT_EQ(run.error, QStringLiteral("Unreadable point count in \"iterate %1\": a whole number from 0 to "
                                            "4294967295 is needed").arg(count));
        EXPECT_EQ(counter.calls, 0) << count;
        EXPECT_EQ(run.evaluated, 0u) << count;
        EXPECT_EQ(run.settings.title, "T") << count;
    }
}

// 1024 uses of a 2 MiB text would ask for 2^31 characters.
TEST(ScriptRunTest, SubstitutionBeyondTheLimitIsAParserError)
{
    const QString script = QStringLiteral("iterate 3\ndef a %1\nexpr = %2")
                               .arg(QString(2 * 1024 * 1024, QLatin1Char('7')),
                                    QStringLiteral("a+").repeated(1023) + QLatin1Char('a'));
    CountingEvaluator counter;
    const ScriptResult run = runScript(script, counter.evaluator());
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.error, "Expression too long after substitutions (2147484671 characters)");
    EXPECT_EQ(counter.calls, 0);
}

// Two names of 40000 characters that insert each other would make 1.6 * 10^9.
TEST(ScriptRunTest, ChainedSubstitutionsStopAtTheLimit)
{
    const QString script = QStringLiteral("def a %1\ndef b %2\nexpr = b")
                               .arg(QString(40000, QLatin1Char('c')), QString(40000, QLatin1Char('a')));
    const ScriptResult run = runScript(script);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.error, "Expression too long after substitutions (1600000000 characters)");
}

// Ten names, each standing for ten of the next: the text would reach 10^10 characters. The
// seventh name makes it 10^7, beyond the limit, and the run ends there at once.
TEST(ScriptRunTest, TenfoldChainEndsAtTheFirstNameBeyondTheLimit)
{
    QString script = QStringLiteral("expr = z\n");
    for (char name = 'z'; name > 'p'; --name)
        script += QStringLiteral("def %1 %2\n").arg(QLatin1Char(name)).arg(QString(10, QLatin1Char(name - 1)));
    const ScriptResult run = runScript(script);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.error, "Expression too long after substitutions (10000000 characters)");
}

TEST(ScriptRunTest, ExpressionOfExactlyTheLimitIsRun)
{
    // a*2 with a = 1+1+...+1+10 is 2 * 524286 + 4 = 2^20 characters; a*20 one more.
    const int ones = 524286;
    const QString definition = QStringLiteral("iterate 1\ndef a %1\n").arg(QStringLiteral("1+").repeated(ones) + "10");
    const ScriptResult run = runScript(definition + "expr = a*2");
    EXPECT_EQ(run.expression.size(), ScriptReader::kMaxExpressionLength);
    ASSERT_TRUE(run.ok) << run.error.toStdString();
    EXPECT_EQ(run.y()[0], ones + 20.0);

    const ScriptResult over = runScript(definition + "expr = a*20");
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(over.error, "Expression too long after substitutions (1048577 characters)");
}

TEST(ScriptRunTest, RunningOutOfMemoryIsAFailedRun)
{
    const PointEvaluator exhausted = [](ScriptParser&, const QString&, quint32, bool*) -> double {
        throw std::bad_alloc();
    };
    const ScriptResult run = runScript("iterate 5\ntitle \"Kept\"\nexpr = x", exhausted);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.error, "Not enough memory to run the script");
    EXPECT_EQ(run.evaluated, 0u);
    EXPECT_TRUE(run.yValues.isEmpty());
    EXPECT_EQ(run.settings.title, "Kept");
}

ScriptResult runExample(const char* name)
{
    QFile file(QStringLiteral(KURVO_EXAMPLES_DIR "/%1.ms").arg(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    ScriptResult run = runScript(QString::fromUtf8(file.readAll()));
    EXPECT_TRUE(run.ok) << name << ": " << run.error.toStdString();
    for (quint32 n = 0; n < run.evaluated; ++n)
        EXPECT_TRUE(std::isfinite(run.y()[n])) << name << " at " << n;
    return run;
}

TEST(ScriptRunTest, SineExampleRunsOnePeriod)
{
    const ScriptResult run = runExample("sine");
    ASSERT_EQ(run.evaluated, 201u);
    EXPECT_NEAR(run.y()[50], 1.0, 1e-9);
    EXPECT_NEAR(run.y()[150], -1.0, 1e-9);
    EXPECT_NEAR(run.x.at(200), 2 * 3.141592653589793, 1e-6);
    EXPECT_EQ(run.settings.title, "Sine");
}

TEST(ScriptRunTest, DampedOscillationExampleDecays)
{
    const ScriptResult run = runExample("damped-oscillation");
    ASSERT_EQ(run.evaluated, 500u);
    EXPECT_EQ(run.expression, "e^(-0.3*x)*sin(2*pi*1.5*x)");
    const double t = run.x.at(123);
    EXPECT_DOUBLE_EQ(run.y()[123], std::exp(-0.3 * t) * std::sin(2 * 3.141592653589793 * 1.5 * t));
}

TEST(ScriptRunTest, RecurrenceExampleApproachesOne)
{
    const ScriptResult run = runExample("recurrence");
    ASSERT_EQ(run.evaluated, 50u);
    for (quint32 n = 0; n < 50; ++n)
        EXPECT_NEAR(run.y()[n], 1 - std::pow(0.9, n + 1), 1e-12) << n;
}

TEST(ScriptRunTest, UnitsExampleHasItsCutOffNearOneKilohertz)
{
    const ScriptResult run = runExample("units");
    ASSERT_EQ(run.evaluated, 1001u);
    EXPECT_EQ(run.expression, "1/sqrt(1 + (2*pi*x*1.5*10^3*100*10^-9)^2)");
    EXPECT_EQ(run.y()[0], 1.0);
    // 1/(2*pi*R*C) = 1061 Hz, at x = 1060 the magnitude is close to 1/sqrt(2).
    EXPECT_NEAR(run.y()[106], 1 / std::sqrt(2.0), 1e-3);
    EXPECT_LT(run.y()[1000], 0.11);
}

} // namespace

namespace {

// The place of an engine error in the script, exact while the expression is as written.
TEST(ScriptRunTest, ErrorsCarryTheirLineAndColumn)
{
    const struct {
        const char* script;
        int line;
        int column;
    } rows[] = {
        {"title \"t\"\niterate 3\nexpr = 2*x+nosuchname", 3, 12},
        {"expr =   2 *  x + nosuchname // c", 1, 19},
        {"\texpr = x\r\nexpr=(x+1", 2, 6}, // the bracket left open
        {"def k 2\nexpr = k*x + nosuchname", 2, 8},
        {"iterate 3\nexpr = x", 0, 0},
    };
    for (const auto& row : rows) {
        const ScriptResult run = runScript(row.script);
        EXPECT_EQ(run.errorLine, row.line) << row.script;
        EXPECT_EQ(run.errorColumn, row.column) << row.script << "\n" << run.error.toStdString();
    }
}

} // namespace

// A watching window hears how far a long run has come and can stop it; the points evaluated
// before it stopped are all the run keeps.
TEST(ScriptRunTest, ALongRunReportsAndStopsWhenCancelled)
{
    ReadProgress progress;
    ReadProgress::makeCurrent(&progress);
    const ScriptResult whole = runScript("iterate 200000\nexpr = x");
    EXPECT_TRUE(whole.ok);
    EXPECT_EQ(progress.permille(), 983); // the last report, at 3 * 65536 points
    progress.cancel();
    const ScriptResult stopped = runScript("iterate 200000\nexpr = x");
    ReadProgress::makeCurrent(nullptr);
    EXPECT_FALSE(stopped.ok);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.evaluated, 65536u);
    EXPECT_EQ(stopped.yValues.size(), 65536);
}
