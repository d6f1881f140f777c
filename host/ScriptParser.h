#pragma once

#include <QString>

#include <memory>

class CalcExcepData;
class CalcParser;
template <class Data>
class CalcChainedExceptions;

// The host's hold on one expression engine: definitions and evaluations that report a
// failure as a false result and a stored error text instead of the engine's exception.
// Every successful result is kept as the variable `ans`.
class ScriptParser
{
public:
    // With the standard constants pi, e, lg2, sr2, gamma, aperys and gr; the science
    // functions (exp, erf, gamma(x), atan2, ...) come either way.
    explicit ScriptParser(bool withStandardConstants);
    ~ScriptParser();
    ScriptParser(const ScriptParser&) = delete;
    ScriptParser& operator=(const ScriptParser&) = delete;

    bool defineConst(const char* name, double value);
    // The engine reads `*value` whenever an expression uses the name; the caller keeps it alive.
    bool defineVar(const char* name, double* value);

    // Compiles and evaluates the expression.
    double evaluate(const QString& expression, bool* ok = nullptr);
    // Compiles once; evaluate() without text then runs the compiled program.
    bool compile(const QString& expression);
    double evaluate(bool* ok = nullptr);

    QString lastError() const { return error; }
    // Where in the expression text the last failure was found, counted from 0; -1 when the
    // engine named no place.
    int lastErrorPosition() const { return errorPosition; }
    double ans() const { return answer; }

    // The records of an engine failure, the most recent first, joined by CR LF.
    static QString formatExceptionText(const CalcChainedExceptions<CalcExcepData>& error);

private:
    bool fail(const CalcChainedExceptions<CalcExcepData>& failure);

    // The engine is declared last so that it goes first: it reads `answer` until then.
    QString error;
    int errorPosition = -1;
    double answer = 0.0;
    std::unique_ptr<CalcParser> engine;
};
