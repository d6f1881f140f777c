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
    // Ordered by name (UTF-16 code units); applied from the greatest name to the least.
    QMap<QString, QString> substitutions;
};

// Reading a Math script: plain text in, settings and the expression text out. No engine and
// no widgets, so that every program that runs scripts shares it.
namespace ScriptReader {

// Collects the settings of every statement of the script, line by line.
ScriptSettings read(const QString& script);

// The text between the first and the second double quote of a line; with one quote,
// everything after it but the line's last character; with none, empty.
QString quotedText(const QString& line);

// Replaces every occurrence of each name, visiting the names in descending order, so that
// text inserted for one name can still be rewritten for a lesser one.
QString substitute(QString expression, const QMap<QString, QString>& substitutions);

// Rewrites the unit suffixes (2.5GHz into 2.5*10^9) in their fixed order.
QString replaceUnits(QString expression);

} // namespace ScriptReader
