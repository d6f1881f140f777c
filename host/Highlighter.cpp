#include "Highlighter.h"

namespace {

enum BlockState { Normal = 0, InsideComment = 1 };

// The statements of the script language and the names of its common functions and
// constants; "x" and "y" stand for the variables a script uses most.
const char* const kKeywords[] = {
    "def", "expr", "iterate", "step", "var", "x", "y", "title", "xLegend", "yLegend", "name",
    "sin", "cos", "tan", "log", "pi", "log10", "atan", "asin", "acos", "sqrt", "abs",
    "sinh", "cosh", "tanh", "ceil", "floor", "rand", "sum", "max", "min", "fact", "avg",
    "hex", "bin",
};

static_assert(sizeof kKeywords / sizeof kKeywords[0] == 35, "every keyword has its rule");

QTextCharFormat charFormat(Qt::GlobalColor color, int weight = QFont::Normal, bool italic = false)
{
    QTextCharFormat f;
    f.setForeground(color);
    f.setFontWeight(weight);
    f.setFontItalic(italic);
    return f;
}

} // namespace

Highlighter::Highlighter(QTextDocument* parent)
    : QSyntaxHighlighter(parent)
    , commentStartExpression(QStringLiteral("/\\*"))
    , commentEndExpression(QStringLiteral("\\*/"))
    , keywordFormat(charFormat(Qt::darkBlue, QFont::Bold))
    , classFormat(charFormat(Qt::darkMagenta, QFont::Bold))
    , singleLineCommentFormat(charFormat(Qt::red))
    , multiLineCommentFormat(charFormat(Qt::red))
    , quotationFormat(charFormat(Qt::darkGreen))
    , functionFormat(charFormat(Qt::blue, QFont::Normal, true))
{
    for (const char* keyword : kKeywords)
        addRule(QStringLiteral("\\b%1\\b").arg(QLatin1String(keyword)), keywordFormat);
    addRule(QStringLiteral("\\bQ[A-Za-z]+\\b"), classFormat);
    addRule(QStringLiteral("//[^\n]*"), singleLineCommentFormat);
    addRule(QStringLiteral("\".*\""), quotationFormat);
    addRule(QStringLiteral("\\b[A-Za-z0-9_]+(?=\\()"), functionFormat);
}

void Highlighter::addRule(const QString& pattern, const QTextCharFormat& format)
{
    rules.append({QRegExp(pattern, Qt::CaseSensitive, QRegExp::RegExp), format});
}

void Highlighter::highlightBlock(const QString& text)
{
    // Later rules paint over earlier ones: a keyword before "(" ends up as a function call.
    for (HighlightRule& rule : rules) {
        int index = rule.pattern.indexIn(text);
        while (index >= 0) {
            const int length = rule.pattern.matchedLength();
            setFormat(index, length, rule.format);
            index = rule.pattern.indexIn(text, index + qMax(length, 1));
        }
    }
    setCurrentBlockState(Normal);

    int startIndex = 0;
    if (previousBlockState() != InsideComment)
        startIndex = commentStartExpression.indexIn(text);
    while (startIndex >= 0) {
        const int endIndex = commentEndExpression.indexIn(text, startIndex);
        int commentLength;
        if (endIndex == -1) {
            setCurrentBlockState(InsideComment);
            commentLength = text.length() - startIndex;
        } else {
            commentLength = endIndex - startIndex + commentEndExpression.matchedLength();
        }
        setFormat(startIndex, commentLength, multiLineCommentFormat);
        startIndex = commentStartExpression.indexIn(text, startIndex + commentLength);
    }
}
