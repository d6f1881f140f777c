#include "ScriptRun.h"

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

ScriptResult runScript(const QString& script, const PointEvaluator& evaluator)
{
    ScriptResult run;
    run.settings = ScriptReader::read(script);
    const quint32 count = run.settings.count;

    // One engine per run, with the host's constants and its own doubles as the variables.
    ScriptParser parser(true);
    parser.defineConst("c", 299792458);
    parser.defineConst("g", 9.80665);
    parser.defineConst("h", 6.6260689633e-34);
    parser.defineConst("ec", 1.6021764874e-19);
    double x = 0.0;
    double y = 0.0;
    // No value is given to dT and len yet; a script that uses them reads 0.
    double reserved = 0.0;
    double i = 0.0;
    double oa = 0.0;
    parser.defineVar("x", &x);
    parser.defineVar("y", &y);
    parser.defineVar("dT", &reserved);
    parser.defineVar("len", &reserved);
    parser.defineVar("i", &i);
    parser.defineVar("oa", &oa);

    run.expression = ScriptReader::replaceUnits(
        ScriptReader::substitute(run.settings.expression, run.settings.substitutions));

    // One block for both arrays; a count too large to hold is reported, never a crash.
    run.points.reset(new (std::nothrow) double[2 * size_t(count)]);
    if (!run.points) {
        run.error = QStringLiteral("Not enough memory for %1 points").arg(count);
        return run;
    }

    double* xs = run.x();
    double* ys = run.y();
    for (quint32 n = 0; n < count; ++n) {
        x = n * run.settings.step;
        i = n;
        oa = n / (count - 1.0);
        bool ok = true;
        const double value = evaluator(parser, run.expression, n, &ok);
        // The next point reads this one's result as y, as the engine reads it as ans.
        y = value;
        if (!ok) {
            run.error = parser.lastError();
            return run;
        }
        ys[n] = value;
        xs[n] = x;
        run.evaluated = n + 1;
    }
    run.ok = true;
    return run;
}
