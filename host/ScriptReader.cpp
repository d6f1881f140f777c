#include "ScriptReader.h"

#include <QStringList>
#include <QStringMatcher>

#include <limits>
#include <new>

namespace ScriptReader {

namespace {

struct UnitRule {
    const char* suffix;
    const char* replacement;
};

// Longer suffixes stand before the single letters they end in, so that kHz is not read as
// k and Hz; each rule sees what the rules before it wrote.
const UnitRule kUnitRules[] = {
    {"THz", "*10^12"},
    {"GHz", "*10^9"},
    {"MHz", "*10^6"},
    {"kHz", "*10^3"},
    {"Hz", "*1"},
    {"nH", "*10^-9"},
    {"uH", "*10^-6"},
    {"mH", "*10^-3"},
    {"H", "*1"},
    {"pF", "*10^-12"},
    {"nF", "*10^-9"},
    {"uF", "*10^-6"},
    {"mF", "*10^-3"},
    {"F", "*1"},
    {"GW", "*10^9"},
    {"MW", "*10^6"},
    {"kW", "*10^3"},
    {"mW", "*10^-3"},
    {"uW", "*10^-6"},
    {"nW", "*10^-9"},
    {"W", "*1"},
    {"keV", "*1.60218*10^-16"},
    {"MeV", "*1.60218*10^-13"},
    {"GeV", "*1.60218*10^-10"},
    {"TeV", "*1.60218*10^-7"},
    {"eV", "*1.60218*10^-19"},
    {"pA", "*10^-12"},
    {"nA", "*10^-9"},
    {"uA", "*10^-6"},
    {"mA", "*10^-3"},
    {"A", "*1"},
    {"pV", "*10^-12"},
    {"nV", "*10^-9"},
    {"uV", "*10^-6"},
    {"mV", "*10^-3"},
    {"kV", "*10^3"},
    {"V", "*1"},
    {"G", "*10^9"},
    {"M", "*10^6"},
    {"k", "*10^3"},
};

static_assert(sizeof kUnitRules / sizeof kUnitRules[0] == 40, "every unit suffix has its rule");

enum class Statement { None, Def, Iterate, Step, Expr, Title, XLegend, YLegend, Name };

// Keywords are recognised by prefix, in this order: "stepsize 2" is a step statement.
Statement statementOf(const QString& line)
{
    static const struct {
        const char* keyword;
        Statement statement;
    } keywords[] = {
        {"def", Statement::Def},
        {"iterate", Statement::Iterate},
        {"step", Statement::Step},
        {"expr", Statement::Expr},
        {"title", Statement::Title},
        {"xLegend", Statement::XLegend},
        {"yLegend", Statement::YLegend},
        {"name", Statement::Name},
    };
    for (const auto& k : keywords) {
        if (line.startsWith(QLatin1String(k.keyword)))
            return k.statement;
    }
    return Statement::None;
}

// A count that does not read as a whole number of 32 bits (1e12, -1, 4294967296) would give
// a curve of another length than the one asked for, so the statement is refused, not read as 0.
void readCount(const QString& statement, const QString& word, ScriptSettings& settings)
{
    bool ok = false;
    const quint32 count = word.toUInt(&ok, 10);
    if (ok)
        settings.count = count;
    else if (settings.error.isEmpty())
        settings.error = QStringLiteral("Unreadable point count in \"%1\": a whole number from 0 to %2 is needed")
                             .arg(statement)
                             .arg(std::numeric_limits<quint32>::max());
}

void readLine(const QString& line, ScriptSettings& settings)
{
    const Statement statement = statementOf(line);
    if (statement == Statement::None)
        return;
    const QStringList words = line.split(QLatin1Char(' '));
    switch (statement) {
    case Statement::Def:
        // Only the third word counts: a replacement text cannot hold blanks.
        if (words.size() >= 3)
            settings.substitutions.insert(words.at(1), words.at(2));
        break;
    case Statement::Iterate:
        if (words.size() >= 2)
            readCount(line, words.at(1), settings);
        break;
    case Statement::Step:
        if (words.size() >= 2)
            settings.step = words.at(1).toDouble();
        break;
    case Statement::Expr:
        // The text ends at a second "=", so comparisons such as <= cannot be written.
        if (line.contains(QLatin1Char('=')))
            settings.expression = line.section(QLatin1Char('='), 1, 1).simplified();
        break;
    case Statement::Title:
        if (words.size() >= 2)
            settings.title = quotedText(line);
        break;
    case Statement::XLegend:
        if (words.size() >= 2)
            settings.xTitle = quotedText(line);
        break;
    case Statement::YLegend:
        if (words.size() >= 2)
            settings.yTitle = quotedText(line);
        break;
    case Statement::Name:
        // A curve without a name could not be told apart in the legend and the menus.
        if (!quotedText(line).isEmpty())
            settings.curveName = quotedText(line);
        break;
    case Statement::None:
        break;
    }
}

// The editor colours "//" and what follows it as a comment wherever it stands, so the
// engine must never see that text. Inside double quotes it is a title's own text
// ("see http://x"), so a quote opens and the next one closes a stretch the cut skips.
QString withoutTrailingComment(const QString& line)
{
    bool quoted = false;
    for (int at = 0; at < line.size(); ++at) {
        if (line.at(at) == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && line.midRef(at, 2) == QLatin1String("//"))
            return line.left(at).trimmed();
    }
    return line;
}

} // namespace

ScriptSettings read(const QString& script)
{
    ScriptSettings settings;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = withoutTrailingComment(lines[n].simplified());
        if (line.isEmpty())
            continue;
        readLine(line, settings);
        if (statementOf(line) == Statement::Expr && line.contains(QLatin1Char('=')))
            settings.expressionLine = n + 1;
    }
    return settings;
}

// Walks the line as simplified() reads it: each run of blanks inside the text is one blank.
int expressionColumn(const QString& line, int position)
{
    int at = line.indexOf(QLatin1Char('=')) + 1;
    while (at < line.size() && line.at(at).isSpace())
        ++at;
    for (int counted = 0; counted < position && at < line.size(); ++counted) {
        if (line.at(at).isSpace()) {
            while (at < line.size() && line.at(at).isSpace())
                ++at;
        } else {
            ++at;
        }
    }
    return at + 1;
}

QString quotedText(const QString& line)
{
    QString text;
    bool inside = false;
    for (const QChar c : line) {
        if (!inside) {
            inside = c == QLatin1Char('"');
            continue;
        }
        text += c;
        if (c == QLatin1Char('"'))
            break;
    }
    text.chop(1);
    return text;
}

QString substitute(const QString& expression, const QMap<QString, QString>& substitutions)
{
    return substituteWithin(expression, substitutions, std::numeric_limits<qint64>::max()).text;
}

Expansion substituteWithin(const QString& expression, const QMap<QString, QString>& substitutions,
                           qint64 maxLength)
{
    Expansion expansion{expression, expression.size(), true};
    for (auto it = substitutions.constEnd(); it != substitutions.constBegin();) {
        --it;
        expansion.length = replaceAll(expansion.text, it.key(), it.value(), maxLength);
        if (expansion.length > maxLength) {
            expansion.fits = false;
            return expansion;
        }
    }
    expansion.fits = expansion.length <= maxLength;
    return expansion;
}

// Two passes: one counts the matches, so that the result's length is checked before
// anything is copied, the other copies the text once. Replacing match by match instead would
// move the rest of the text at every match and grow it many times over.
qint64 replaceAll(QString& text, const QString& name, const QString& replacement, qint64 maxLength)
{
    if (name.isEmpty())
        return text.size();
    const QStringMatcher matcher(name, Qt::CaseSensitive);
    qint64 matches = 0;
    for (int at = matcher.indexIn(text, 0); at >= 0; at = matcher.indexIn(text, at + name.size()))
        ++matches;
    const qint64 length = text.size() + matches * (qint64(replacement.size()) - name.size());
    if (matches == 0 || length > maxLength)
        return length;
    if (length > std::numeric_limits<int>::max())
        throw std::bad_alloc();

    QString replaced;
    replaced.reserve(int(length));
    int from = 0;
    for (int at = matcher.indexIn(text, 0); at >= 0; at = matcher.indexIn(text, from)) {
        replaced.append(text.constData() + from, at - from);
        replaced.append(replacement);
        from = at + name.size();
    }
    replaced.append(text.constData() + from, text.size() - from);
    text = replaced;
    return length;
}

// Each rule's replacement holds no letters, so the text grows at most a few times over and
// no rule rewrites what another wrote.
QString replaceUnits(QString expression)
{
    for (const UnitRule& rule : kUnitRules)
        replaceAll(expression, QLatin1String(rule.suffix), QLatin1String(rule.replacement),
                   std::numeric_limits<qint64>::max());
    return expression;
}

} // namespace ScriptReader
