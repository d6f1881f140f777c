#include "ScriptRun.h"

#include "FreshColumn.h"
#include "PointLimit.h"
#include "ReadProgress.h"
#include "ScriptParser.h"

#include <limits>
#include <new>

double compileOnce(ScriptParser& parser, const QString& expression, quint32 point, bool* ok)
{
    // The text is the same at every point, so the first compile decides for all of them.
    if (point == 0 && !parser.compile(expression)) {
        *ok = false;
        return std::numeric_limits<double>::quiet_NaN();
    }
    return parser.evaluate(ok);
}

double compileEveryPoint(ScriptParser& parser, const QString& expression, quint32, bool* ok)
{
    return parser.evaluate(expression, ok);
}

namespace {

// The engine of one run, with the host's constants and the run's doubles as its variables.
struct RunVariables {
    double x = 0.0;
    double y = 0.0;
    // No value is given to dT and len yet; a script that uses them reads 0.
    double reserved = 0.0;
    double i = 0.0;
    double oa = 0.0;
};

void defineNames(ScriptParser& parser, RunVariables& v)
{
    parser.defineConst("c", 299792458);
    parser.defineConst("g", 9.80665);
    parser.defineConst("h", 6.6260689633e-34);
    parser.defineConst("ec", 1.6021764874e-19);
    parser.defineVar("x", &v.x);
    parser.defineVar("y", &v.y);
    parser.defineVar("dT", &v.reserved);
    parser.defineVar("len", &v.reserved);
    parser.defineVar("i", &v.i);
    parser.defineVar("oa", &v.oa);
}

// A statement the reader refused would make another curve than the script asks for.
bool everyStatementRead(ScriptResult& run)
{
    run.error = run.settings.error;
    return run.error.isEmpty();
}

// The expression handed to the engine, or false with the reason in run.error.
bool buildExpression(ScriptResult& run)
{
    const ScriptReader::Expansion substituted = ScriptReader::substituteWithin(
        run.settings.expression, run.settings.substitutions, ScriptReader::kMaxExpressionLength);
    if (!substituted.fits) {
        run.error = QStringLiteral("Expression too long after substitutions (%1 characters)").arg(substituted.length);
        return false;
    }
    run.expression = ScriptReader::replaceUnits(substituted.text);
    return true;
}

// A count no curve can hold is refused before any point is evaluated; a count that memory
// cannot hold is reported, never a crash.
bool allocatePoints(ScriptResult& run)
{
    const quint32 count = run.settings.count;
    try {
        if (curveHolds(count)) {
            run.yValues = freshColumn(int(count));
            run.x = EvenX{-0.0, run.settings.step};
            return true;
        }
    } catch (const std::bad_alloc&) {
        run.yValues = QVector<double>();
    }
    run.error = notEnoughMemoryFor(count);
    return false;
}

// A watching window hears how far a long run has come now and then, and may stop it.
const quint32 kPointsBetweenReports = 1u << 16;

bool stopAsked(quint32 done, quint32 count)
{
    ReadProgress::report(done, count);
    return ReadProgress::cancelRequested();
}

// Returns where in the expression the engine found an error, or -1.
int evaluatePoints(ScriptResult& run, const PointEvaluator& evaluator)
{
    ScriptParser parser(true);
    RunVariables v;
    defineNames(parser, v);
    const quint32 count = run.settings.count;
    double* ys = run.yValues.data();
    for (quint32 n = 0; n < count; ++n) {
        if (n % kPointsBetweenReports == 0 && n > 0 && stopAsked(n, count)) {
            run.yValues.resize(int(n));
            run.cancelled = true;
            run.error = QStringLiteral("Cancelled");
            return -1;
        }
        v.x = n * run.settings.step;
        v.i = n;
        v.oa = n / (count - 1.0);
        bool ok = true;
        const double value = evaluator(parser, run.expression, n, &ok);
        // The next point reads this one's result as y, as the engine reads it as ans.
        v.y = value;
        if (!ok) {
            // Only the points evaluated hold values.
            run.yValues.resize(int(n));
            run.error = parser.lastError();
            return parser.lastErrorPosition();
        }
        ys[n] = value;
        run.evaluated = n + 1;
    }
    run.ok = true;
    return -1;
}

// The engine counts in the text it was handed; the user needs the place in the script.
void locateError(const QString& script, int position, ScriptResult& run)
{
    const int line = run.settings.expressionLine;
    if (position < 0 || line <= 0)
        return;
    const bool asWritten = run.expression == run.settings.expression;
    run.errorLine = line;
    run.errorColumn = ScriptReader::expressionColumn(script.section(QLatin1Char('\n'), line - 1, line - 1),
                                                     asWritten ? position : 0);
}

} // namespace

QString notEnoughMemoryFor(quint32 count)
{
    return QStringLiteral("Not enough memory for %1 points").arg(count);
}

ScriptResult runScript(const QString& script, const PointEvaluator& evaluator)
{
    ScriptResult run;
    try {
        run.settings = ScriptReader::read(script);
        if (everyStatementRead(run) && buildExpression(run) && allocatePoints(run))
            locateError(script, evaluatePoints(run, evaluator), run);
    } catch (const std::bad_alloc&) {
        // The engine, the reader and the substitutions all allocate; whatever they held is
        // released by now, and the run reports it like any other failure.
        run.ok = false;
        run.yValues = QVector<double>();
        run.evaluated = 0;
        run.error = QStringLiteral("Not enough memory to run the script");
    }
    return run;
}
