#include "ScriptParser.h"

#include "CalcError.h"
#include "CalcParser.h"
#include "CalcScienceLibrary.h"

#include <QStringList>

#include <string>

namespace {

std::string local8Bit(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

ScriptParser::ScriptParser(bool withStandardConstants)
    : engine(std::make_unique<CalcParser>())
{
    defineVar("ans", &answer);
    try {
        if (withStandardConstants)
            CalcScienceLibrary::defineConstants(*engine);
        CalcScienceLibrary::defineFunctions(*engine);
    } catch (const CalcError& failure) {
        fail(failure);
    }
}

ScriptParser::~ScriptParser() = default;

QString ScriptParser::formatExceptionText(const CalcError& error)
{
    // Most recent record first. No translated messages are registered, so every record
    // speaks with the English description it was raised with.
    QStringList texts;
    for (std::uint32_t i = 0; i < error.count(); ++i)
        texts << QString::fromStdString(error.description(i));
    return texts.join(QStringLiteral("\r\n"));
}

bool ScriptParser::fail(const CalcError& failure)
{
    error = formatExceptionText(failure);
    errorPosition = -1;
    // The most recent record that names a place is the closest to the text.
    for (std::uint32_t i = 0; i < failure.count() && errorPosition < 0; ++i) {
        bool ok = false;
        const int position = QString::fromStdString(failure.record(i).data.valueOf("pos")).toInt(&ok);
        if (ok && position >= 0)
            errorPosition = position;
    }
    return false;
}

bool ScriptParser::defineConst(const char* name, double value)
{
    try {
        engine->defineConst(name, value);
        return true;
    } catch (const CalcError& failure) {
        return fail(failure);
    }
}

bool ScriptParser::defineVar(const char* name, double* value)
{
    try {
        engine->defineVar(name, value);
        return true;
    } catch (const CalcError& failure) {
        return fail(failure);
    }
}

double ScriptParser::evaluate(const QString& expression, bool* ok)
{
    if (ok)
        *ok = true;
    try {
        answer = engine->evaluate(local8Bit(expression));
    } catch (const CalcError& failure) {
        if (ok)
            *ok = fail(failure);
        else
            fail(failure);
    }
    return answer;
}

bool ScriptParser::compile(const QString& expression)
{
    try {
        engine->compile(local8Bit(expression));
        return true;
    } catch (const CalcError& failure) {
        return fail(failure);
    }
}

double ScriptParser::evaluate(bool* ok)
{
    // Running a compiled program cannot fail.
    if (ok)
        *ok = true;
    answer = engine->evaluate();
    return answer;
}
