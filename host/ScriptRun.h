#pragma once

#include "EvenX.h"
#include "ScriptReader.h"

#include <QString>
#include <QVector>

#include <functional>
#include <memory>

class ScriptParser;

// Yields the value of one point from the engine, whose variables x, y, i and oa already
// hold that point's values; sets *ok to false on failure, the text in parser.lastError().
using PointEvaluator =
    std::function<double(ScriptParser& parser, const QString& expression, quint32 point, bool* ok)>;

// Compiles the expression at the first point and evaluates the compiled program at every point.
double compileOnce(ScriptParser& parser, const QString& expression, quint32 point, bool* ok);
// Hands the text to the engine anew at every point: the same results, much slower.
double compileEveryPoint(ScriptParser& parser, const QString& expression, quint32 point, bool* ok);

// One run of a Math script: its settings, the expression handed to the engine and, when
// every point evaluated, the points.
struct ScriptResult {
    ScriptSettings settings;
    // After the substitutions and the unit suffixes.
    QString expression;
    bool ok = false;
    // The engine's error text, or why the expression could not be built or the points held.
    QString error;
    // Where in the script the engine found the error, from 1; 0 when it named no place.
    // The column is exact when the expression reached the engine as written; after `def`
    // names or unit suffixes changed it, it is where the expression starts.
    int errorLine = 0;
    int errorColumn = 0;
    // Whether a watching window asked the run to stop; not ok then.
    bool cancelled = false;
    // Points evaluated before the run stopped: settings.count when ok.
    quint32 evaluated = 0;
    // x steps evenly from 0 by settings.step: the n-th point's x is n * step, never held as an
    // array. settings.count y values, which a curve can share; empty when they could not be held.
    EvenX x;
    QVector<double> yValues;

    const double* y() const { return yValues.constData(); }
};

// Why a run adds no curve of `count` points: they are more than a curve or memory holds.
QString notEnoughMemoryFor(quint32 count);

// Reads the script, evaluates its expression at every point with a fresh engine and returns
// what a plot needs. No widgets: the window and the command-line renderer both run it, on any
// thread; a long run reports to its thread's ReadProgress and stops when that is cancelled.
// Running out of memory anywhere on the way is a failed run, never an exception.
ScriptResult runScript(const QString& script, const PointEvaluator& evaluator = compileOnce);
