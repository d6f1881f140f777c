#include "Highlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

class HighlighterTest : public ::testing::Test
{
protected:
    HighlighterTest()
        : highlighter(&document)
    {
        // A document reports its changes, and so gets highlighted, once it has a layout, as
        // the editor's document always has.
        document.documentLayout();
    }

    void setText(const QString& text) { document.setPlainText(text); }

    // The format the highlighter gave the character at `position` of line `line`.
    QTextCharFormat formatAt(int line, int position) const
    {
        const QTextBlock block = document.findBlockByNumber(line);
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (position >= range.start && position < range.start + range.length)
                return range.format;
        }
        return QTextCharFormat();
    }

    // The format at the first character of `word` on line `line`.
    QTextCharFormat formatOf(int line, const QString& word, int from = 0) const
    {
        const int position = document.findBlockByNumber(line).text().indexOf(word, from);
        EXPECT_GE(position, 0) << word.toStdString();
        return formatAt(line, position);
    }

    static bool isKeyword(const QTextCharFormat& f)
    {
        return f.foreground().color() == QColor(Qt::darkBlue) && f.fontWeight() == QFont::Bold
               && !f.fontItalic();
    }
    static bool isFunction(const QTextCharFormat& f)
    {
        return f.foreground().color() == QColor(Qt::blue) && f.fontItalic() && f.fontWeight() != QFont::Bold;
    }
    static bool isRed(const QTextCharFormat& f) { return f.foreground().color() == QColor(Qt::red); }
    static bool isQuotation(const QTextCharFormat& f)
    {
        return f.foreground().color() == QColor(Qt::darkGreen);
    }
    static bool isPlain(const QTextCharFormat& f) { return !f.hasProperty(QTextFormat::ForegroundBrush); }

    QTextDocument document;
    Highlighter highlighter;
};

TEST_F(HighlighterTest, KeywordsAreBoldDarkBlueAndCallsItalicBlue)
{
    setText("expr = sin(x) + pi");
    EXPECT_TRUE(isKeyword(formatOf(0, "expr")));
    EXPECT_TRUE(isKeyword(formatAt(0, 3)));
    EXPECT_TRUE(isFunction(formatOf(0, "sin")));
    EXPECT_TRUE(isFunction(formatAt(0, 9)));
    EXPECT_TRUE(isKeyword(formatOf(0, "x")));
    EXPECT_TRUE(isKeyword(formatOf(0, "pi")));
    EXPECT_TRUE(isPlain(formatOf(0, "=")));
    EXPECT_TRUE(isPlain(formatOf(0, "(")));
}

TEST_F(HighlighterTest, EveryKeywordStandingAloneIsHighlighted)
{
    const QStringList keywords{"def", "expr", "iterate", "step", "var", "x", "y", "title",
                               "xLegend", "yLegend", "name", "sin", "cos", "tan", "log", "pi", "log10",
                               "atan", "asin", "acos", "sqrt", "abs", "sinh", "cosh", "tanh",
                               "ceil", "floor", "rand", "sum", "max", "min", "fact", "avg",
                               "hex", "bin"};
    ASSERT_EQ(keywords.size(), 35);
    setText(keywords.join(QLatin1Char('\n')));
    for (int line = 0; line < keywords.size(); ++line) {
        const int last = keywords.at(line).size() - 1;
        EXPECT_TRUE(isKeyword(formatAt(line, 0))) << keywords.at(line).toStdString();
        EXPECT_TRUE(isKeyword(formatAt(line, last))) << keywords.at(line).toStdString();
    }
}

TEST_F(HighlighterTest, KeywordsAreWholeWordsOnly)
{
    setText("expr = x1 + x + xLegend + axe");
    EXPECT_TRUE(isPlain(formatOf(0, "x1")));
    EXPECT_TRUE(isKeyword(formatOf(0, "x ")));
    EXPECT_TRUE(isKeyword(formatOf(0, "xLegend")));
    EXPECT_TRUE(isKeyword(formatAt(0, int(QString("expr = x1 + x + xLegend").size()) - 1)));
    EXPECT_TRUE(isPlain(formatOf(0, "axe")));
    EXPECT_TRUE(isPlain(formatAt(0, 27)));
}

TEST_F(HighlighterTest, QtClassNamesAreBoldDarkMagenta)
{
    setText("QString and Qt and Q");
    const QTextCharFormat f = formatOf(0, "QString");
    EXPECT_EQ(f.foreground().color(), QColor(Qt::darkMagenta));
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(0, 6).foreground().color(), QColor(Qt::darkMagenta));
    EXPECT_EQ(formatOf(0, "Qt").foreground().color(), QColor(Qt::darkMagenta));
    EXPECT_TRUE(isPlain(formatOf(0, "Q", 19)));
}

TEST_F(HighlighterTest, LineCommentRunsToTheEndOfTheLine)
{
    setText("iterate 10 // the points\nstep 2");
    EXPECT_TRUE(isKeyword(formatOf(0, "iterate")));
    EXPECT_TRUE(isPlain(formatOf(0, "10")));
    const int start = document.firstBlock().text().indexOf("//");
    for (int i = start; i < document.firstBlock().text().size(); ++i)
        EXPECT_TRUE(isRed(formatAt(0, i))) << i;
    EXPECT_TRUE(isKeyword(formatOf(1, "step")));
}

TEST_F(HighlighterTest, QuotesAndCallsInsideALineCommentKeepTheirFormats)
{
    setText("// see \"notes\" and f(x) here");
    EXPECT_TRUE(isRed(formatOf(0, "see")));
    EXPECT_TRUE(isQuotation(formatOf(0, "\"notes")));
    EXPECT_TRUE(isQuotation(formatOf(0, "s\"")));
    EXPECT_TRUE(isFunction(formatOf(0, "f(")));
    EXPECT_TRUE(isRed(formatOf(0, "here")));
}

TEST_F(HighlighterTest, QuotationRunsFromTheFirstToTheLastQuote)
{
    setText("title \"a\" and \"b\" end");
    EXPECT_TRUE(isKeyword(formatOf(0, "title")));
    EXPECT_TRUE(isQuotation(formatOf(0, "\"a")));
    EXPECT_TRUE(isQuotation(formatOf(0, "and")));
    EXPECT_TRUE(isQuotation(formatOf(0, "b\"")));
    EXPECT_TRUE(isPlain(formatOf(0, "end")));
}

TEST_F(HighlighterTest, BlockCommentSpansLinesUntilItsEnd)
{
    setText("iterate 5 /* start\nstep 2 expr = sin(x)\nend */ step 1\nexpr = x");
    EXPECT_TRUE(isKeyword(formatOf(0, "iterate")));
    EXPECT_TRUE(isRed(formatOf(0, "/*")));
    EXPECT_TRUE(isRed(formatOf(0, "start")));
    EXPECT_TRUE(isRed(formatOf(1, "step")));
    EXPECT_TRUE(isRed(formatOf(1, "sin")));
    EXPECT_TRUE(isRed(formatOf(2, "end")));
    EXPECT_TRUE(isRed(formatOf(2, "*/")));
    EXPECT_TRUE(isRed(formatAt(2, 5)));
    EXPECT_TRUE(isKeyword(formatOf(2, "step")));
    EXPECT_TRUE(isKeyword(formatOf(3, "expr")));

    EXPECT_EQ(document.findBlockByNumber(0).userState(), 1);
    EXPECT_EQ(document.findBlockByNumber(1).userState(), 1);
    EXPECT_EQ(document.findBlockByNumber(2).userState(), 0);
    EXPECT_EQ(document.findBlockByNumber(3).userState(), 0);
}

TEST_F(HighlighterTest, SeveralBlockCommentsOnOneLine)
{
    setText("/* a */ step /* b */ iterate");
    EXPECT_TRUE(isRed(formatOf(0, "a")));
    EXPECT_TRUE(isKeyword(formatOf(0, "step")));
    EXPECT_TRUE(isRed(formatOf(0, "b")));
    EXPECT_TRUE(isKeyword(formatOf(0, "iterate")));
    EXPECT_EQ(document.firstBlock().userState(), 0);
}

TEST_F(HighlighterTest, ClosingACommentRehighlightsTheFollowingLines)
{
    setText("/* open\nstep 2\niterate 3");
    EXPECT_TRUE(isRed(formatOf(2, "iterate")));
    QTextCursor cursor(document.firstBlock());
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(" */");
    EXPECT_TRUE(isKeyword(formatOf(1, "step")));
    EXPECT_TRUE(isKeyword(formatOf(2, "iterate")));
}

} // namespace
