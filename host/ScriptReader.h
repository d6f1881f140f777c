#pragma once

#include <QMap>
#include <QString>

// What a Math script sets for one run, collected from its statements. The last statement of
// each kind wins; a `def` of an existing name replaces its text.
struct ScriptSettings {
    quint32 count = 1000;
    // A script without a `step` statement gets x = 0, 1, 2, ...
    double step = 1.0;
    QString expression;
    QString title = QStringLiteral("Kurvo");
    QString xTitle = QStringLiteral("X");
    QString yTitle = QStringLiteral("Y");
    // The name of the curve the run draws.
    QString curveName = QStringLiteral("f(y)");
    // Ordered by name (UTF-16 code units); applied from the greatest name to the least.
    QMap<QString, QString> substitutions;
    // The line of the expression statement that counts, from 1; 0 without one.
    int expressionLine = 0;
    // Why the first statement whose value cannot be read was refused, naming it; empty when
    // every statement read. A script with such a statement is not run.
    QString error;
};

// Reading a Math script: plain text in, settings and the expression text out. No engine and
// no widgets, so that every program that runs scripts shares it.
namespace ScriptReader {

// The longest expression text a run lets the substitutions build, in UTF-16 code units
// (1 MiB of characters): far beyond any expression a person writes, and a bound on what a few
// `def` lines that insert each other can make of a short script.
constexpr qint64 kMaxExpressionLength = qint64(1) << 20;

// An expression text after the substitutions, or how long it would have grown.
struct Expansion {
    QString text;
    // The length of `text`; when a substitution would have made it longer than the limit,
    // the length it would have had then, and `text` stays as it was before that name.
    qint64 length = 0;
    bool fits = true;
};

// Collects the settings of every statement of the script, line by line. A "//" outside
// double quotes starts a comment that runs to the end of its line.
ScriptSettings read(const QString& script);

// The text between the first and the second double quote of a line; with one quote,
// everything after it but the line's last character; with none, empty.
QString quotedText(const QString& line);

// Replaces every occurrence of each name, visiting the names in descending order, so that
// text inserted for one name can still be rewritten for a lesser one. Throws std::bad_alloc
// when the text would grow beyond what a string holds.
QString substitute(const QString& expression, const QMap<QString, QString>& substitutions);

// The same, but it stops at the first name whose replacement would make the text longer
// than `maxLength`.
Expansion substituteWithin(const QString& expression, const QMap<QString, QString>& substitutions,
                           qint64 maxLength);

// Replaces every occurrence of `name` (not empty) by `replacement`, left to right and
// without overlap, as QString::replace does, in one pass over the text. The length of the
// result is known before it is built: when it exceeds `maxLength` the text stays as it was.
// Returns that length. Throws std::bad_alloc for a result no string can hold.
qint64 replaceAll(QString& text, const QString& name, const QString& replacement, qint64 maxLength);

// The column, from 1, in the script line `line` of the character at `position` (from 0) of
// the expression the reader takes from that line: past its "=", its blanks simplified.
int expressionColumn(const QString& line, int position);

// Rewrites the unit suffixes (2.5GHz into 2.5*10^9) in their fixed order.
QString replaceUnits(QString expression);

} // namespace ScriptReader
