#include "ScriptReader.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <new>
#include <random>
#include <utility>

namespace {

using ScriptReader::kMaxExpressionLength;
using ScriptReader::quotedText;
using ScriptReader::read;
using ScriptReader::replaceAll;
using ScriptReader::replaceUnits;
using ScriptReader::substitute;
using ScriptReader::substituteWithin;

// How the substitutions were made before they were done in one pass: QString::replace for
// each name, from the greatest name to the least. Their results must not change.
QString replacedByQt(QString text, const QMap<QString, QString>& table)
{
    for (auto it = table.constEnd(); it != table.constBegin();) {
        --it;
        text.replace(it.key(), it.value(), Qt::CaseSensitive);
    }
    return text;
}

TEST(ScriptReaderTest, EmptyScriptGivesTheDefaults)
{
    const ScriptSettings s = read(QString());
    EXPECT_EQ(s.count, 1000u);
    EXPECT_EQ(s.step, 1.0);
    EXPECT_TRUE(s.expression.isEmpty());
    EXPECT_EQ(s.title, "Kurvo");
    EXPECT_EQ(s.xTitle, "X");
    EXPECT_EQ(s.yTitle, "Y");
    EXPECT_TRUE(s.substitutions.isEmpty());
}

TEST(ScriptReaderTest, ReadsEveryStatement)
{
    const ScriptSettings s = read("title \"Sine\"\n"
                                  "xLegend \"t [s]\"\n"
                                  "yLegend \"U [V]\"\n"
                                  "iterate 500\n"
                                  "step 0.02\n"
                                  "def w 2*pi\n"
                                  "expr = sin(w*x)\n");
    EXPECT_EQ(s.title, "Sine");
    EXPECT_EQ(s.xTitle, "t [s]");
    EXPECT_EQ(s.yTitle, "U [V]");
    EXPECT_EQ(s.count, 500u);
    EXPECT_EQ(s.step, 0.02);
    EXPECT_EQ(s.expression, "sin(w*x)");
    ASSERT_EQ(s.substitutions.size(), 1);
    EXPECT_EQ(s.substitutions.value("w"), "2*pi");
}

TEST(ScriptReaderTest, KeywordsAreRecognisedByPrefix)
{
    EXPECT_EQ(read("stepsize 2").step, 2.0);
    EXPECT_EQ(read("iterates 7").count, 7u);
    EXPECT_EQ(read("defined a 3").substitutions.value("a"), "3");
    EXPECT_EQ(read("expression = x+1").expression, "x+1");
    EXPECT_EQ(read("titles \"T\"").title, "T");
    EXPECT_EQ(read("xLegends \"u\"").xTitle, "u");
}

TEST(ScriptReaderTest, TheFirstMatchingKeywordDecides)
{
    // "step" is tested before "expr": the line is a step statement whose number is "=".
    const ScriptSettings s = read("stepexpr = 3");
    EXPECT_EQ(s.step, 0.0);
    EXPECT_TRUE(s.expression.isEmpty());
}

TEST(ScriptReaderTest, KeywordsAreCaseSensitive)
{
    const ScriptSettings s = read("Step 2\nIterate 5\nExpr = x\nTitle \"T\"\nxlegend \"u\"");
    EXPECT_EQ(s.step, 1.0);
    EXPECT_EQ(s.count, 1000u);
    EXPECT_TRUE(s.expression.isEmpty());
    EXPECT_EQ(s.title, "Kurvo");
    EXPECT_EQ(s.xTitle, "X");
}

TEST(ScriptReaderTest, CommentLinesAndUnknownLinesAreSkipped)
{
    const ScriptSettings s = read("// iterate 5\n   // step 3\nhello world\n\n\niterate 9 // points");
    EXPECT_EQ(s.count, 9u);
    EXPECT_EQ(s.step, 1.0);
}

TEST(ScriptReaderTest, TrailingCommentsEndTheStatement)
{
    const ScriptSettings s = read("expr = x^2 // square\n"
                                  "def k 3 // three\n"
                                  "step 0.5// half\n"
                                  "xLegend \"t\" // seconds // and more\n"
                                  "yLegend \"U\"//volts");
    EXPECT_EQ(s.expression, "x^2");
    EXPECT_EQ(s.substitutions.value("k"), "3");
    EXPECT_EQ(s.step, 0.5);
    EXPECT_EQ(s.xTitle, "t");
    EXPECT_EQ(s.yTitle, "U");
}

TEST(ScriptReaderTest, SlashesInsideQuotesAreText)
{
    EXPECT_EQ(read("title \"see http://x\" // where").title, "see http://x");
    EXPECT_EQ(read("title \"a//b\"").title, "a//b");
    // An unclosed quote keeps the rest of the line, slashes and all.
    EXPECT_EQ(read("title \"see http://x").title, "see http://");
}

TEST(ScriptReaderTest, ACommentAloneDropsTheStatement)
{
    const ScriptSettings s = read("iterate // 5\n// expr = x\nexpr = // x");
    EXPECT_EQ(s.count, 1000u);
    EXPECT_EQ(s.expression, "");
}

TEST(ScriptReaderTest, WhiteSpaceIsSimplifiedAndCarriageReturnsDropped)
{
    const ScriptSettings s = read("  iterate\t\t12  \r\n\tstep   0.5\r\nexpr  =   x   +  1  \r\n");
    EXPECT_EQ(s.count, 12u);
    EXPECT_EQ(s.step, 0.5);
    EXPECT_EQ(s.expression, "x + 1");
}

// A count that is no whole number of 32 bits is refused with the statement's text, never read
// as 0; the first such statement is the one named.
TEST(ScriptReaderTest, UnreadableCountsNameTheirStatement)
{
    for (const char* count : {"1e12", "-1", "4294967296", "none", "2.5", "0x10"}) {
        const QString statement = QStringLiteral("iterate %1").arg(count);
        const ScriptSettings s = read(statement + " // points\niterate 3\niterate -2\n");
        EXPECT_EQ(s.error, QStringLiteral("Unreadable point count in \"%1\": a whole number from 0 to 4294967295 "
                                          "is needed").arg(statement));
    }
    for (const auto& [statement, count] : {std::pair{"iterate 4294967295", 4294967295u}, std::pair{"iterate 0", 0u},
                                           std::pair{"iterate +007", 7u}}) {
        const ScriptSettings s = read(statement);
        EXPECT_TRUE(s.error.isEmpty()) << statement;
        EXPECT_EQ(s.count, count) << statement;
    }
}

TEST(ScriptReaderTest, StatementsWithTooFewWordsAreIgnored)
{
    const ScriptSettings s = read("iterate 5\nstep 2\ntitle \"T\"\n"
                                  "iterate\nstep\ntitle\nxLegend\nyLegend\ndef a\n");
    EXPECT_EQ(s.count, 5u);
    EXPECT_EQ(s.step, 2.0);
    EXPECT_EQ(s.title, "T");
    EXPECT_EQ(s.xTitle, "X");
    EXPECT_EQ(s.yTitle, "Y");
    EXPECT_TRUE(s.substitutions.isEmpty());
}

TEST(ScriptReaderTest, UnreadableStepsGiveZero)
{
    EXPECT_EQ(read("step abc").step, 0.0);
    EXPECT_EQ(read("step 1,5").step, 0.0);
    EXPECT_EQ(read("step -2.5e-1").step, -0.25);
}

TEST(ScriptReaderTest, TheLastStatementOfEachKindWins)
{
    const ScriptSettings s = read("iterate 5\nexpr = x\ntitle \"A\"\niterate 6\nexpr = y\ntitle \"B\"\n"
                                  "def a 1\ndef b 2\ndef a 3\n");
    EXPECT_EQ(s.count, 6u);
    EXPECT_EQ(s.expression, "y");
    EXPECT_EQ(s.title, "B");
    EXPECT_EQ(s.substitutions.size(), 2);
    EXPECT_EQ(s.substitutions.value("a"), "3");
    EXPECT_EQ(s.substitutions.value("b"), "2");
}

TEST(ScriptReaderTest, DefTakesOnlyTheThirdWord)
{
    EXPECT_EQ(read("def a 3 + 4").substitutions.value("a"), "3");
}

TEST(ScriptReaderTest, ExprTakesTheTextBetweenTheFirstAndTheSecondEqualsSign)
{
    EXPECT_EQ(read("expr = if(x<=1, 0, 1)").expression, "if(x<");
    EXPECT_EQ(read("expr f(x) = a + b = c").expression, "a + b");
    EXPECT_EQ(read("expr=x*2").expression, "x*2");
    EXPECT_EQ(read("expr =").expression, "");
    // Without "=" the line is ignored and an earlier expression stays.
    EXPECT_EQ(read("expr = x\nexpr x+1").expression, "x");
}

TEST(ScriptReaderTest, QuotedTextWithNoQuoteIsEmpty)
{
    EXPECT_EQ(quotedText("title Hello"), "");
    EXPECT_EQ(read("title Hello").title, "");
}

TEST(ScriptReaderTest, QuotedTextWithOneQuoteLosesTheLineLastCharacter)
{
    EXPECT_EQ(quotedText("title \"Hello"), "Hell");
    EXPECT_EQ(quotedText("title Hello\""), "");
    EXPECT_EQ(read("yLegend \"Volt").yTitle, "Vol");
}

TEST(ScriptReaderTest, QuotedTextWithTwoQuotesIsTheTextBetween)
{
    EXPECT_EQ(quotedText("title \"Hello\""), "Hello");
    EXPECT_EQ(quotedText("title \"a\"b\"c"), "a");
    EXPECT_EQ(quotedText("title \"\""), "");
    EXPECT_EQ(quotedText("title x \"Hello\" and more"), "Hello");
}

TEST(ScriptReaderTest, BlanksInsideQuotesArriveAsOne)
{
    EXPECT_EQ(read("title \"My    damped \t plot\"").title, "My damped plot");
}

TEST(ScriptReaderTest, SubstitutionReplacesInsideWords)
{
    const QMap<QString, QString> table{{"a", "3"}};
    EXPECT_EQ(substitute("tan(a)+a", table), "t3n(3)+3");
}

TEST(ScriptReaderTest, SubstitutionVisitsNamesInDescendingOrder)
{
    // ab before a: ascending order would give 3b+3.
    EXPECT_EQ(substitute("ab+a", {{"ab", "2"}, {"a", "3"}}), "2+3");
    // Text inserted for b is rewritten for the lesser name a ...
    EXPECT_EQ(substitute("b+a", {{"b", "a"}, {"a", "3"}}), "3+3");
    // ... but text inserted for a is not rewritten for the greater b, visited before it.
    EXPECT_EQ(substitute("a", {{"a", "b"}, {"b", "7"}}), "b");
}

TEST(ScriptReaderTest, SubstitutionOrderIsByCodeUnit)
{
    // "Z" (0x5A) sorts before "a" (0x61): a goes first and its text is then rewritten as Z.
    EXPECT_EQ(substitute("a", {{"Z", "1"}, {"a", "Z"}}), "1");
}

TEST(ScriptReaderTest, SubstitutionIsCaseSensitive)
{
    EXPECT_EQ(substitute("a+A", {{"A", "5"}}), "a+5");
}

TEST(ScriptReaderTest, ReplaceAllGivesWhatQStringReplaceGives)
{
    const struct {
        const char* text;
        const char* name;
        const char* replacement;
    } rows[] = {
        {"aaa", "aa", "b"},         // no overlap: the first two go, the third stays
        {"aaaa", "aa", "a"},        // the result is not searched again
        {"a+a", "a", "aa"},         // the replacement holds the name
        {"abcabc", "abc", ""},      // to nothing
        {"xyz", "q", "long"},       // no match
        {"q", "q", "whole"},        // the whole text
        {"ab\u00e9ab", "\u00e9", "e"}, // beyond ASCII
        {"", "a", "b"},
    };
    for (const auto& row : rows) {
        QString text = QString::fromUtf8(row.text);
        const QString expected = QString(text).replace(QString::fromUtf8(row.name), QString::fromUtf8(row.replacement));
        const qint64 length = replaceAll(text, QString::fromUtf8(row.name), QString::fromUtf8(row.replacement),
                                         kMaxExpressionLength);
        EXPECT_EQ(text, expected) << row.text << " / " << row.name;
        EXPECT_EQ(length, expected.size()) << row.text << " / " << row.name;
    }
}

// Random scripts over a few letters, so that names overlap, hold each other and insert each
// other: the substitutions agree with the replacements they were made with before.
TEST(ScriptReaderTest, SubstitutionGivesWhatItGaveBefore)
{
    std::mt19937 random(20240517);
    const QString letters = QStringLiteral("abcA+");
    const auto word = [&](int maxLength) {
        QString text;
        const int length = 1 + int(random() % unsigned(maxLength));
        for (int i = 0; i < length; ++i)
            text += letters[int(random() % unsigned(letters.size()))];
        return text;
    };
    for (int round = 0; round < 2000; ++round) {
        QMap<QString, QString> table;
        const int names = 1 + int(random() % 4u);
        for (int i = 0; i < names; ++i)
            table.insert(word(3), word(4));
        const QString expression = word(12);
        EXPECT_EQ(substitute(expression, table), replacedByQt(expression, table)) << expression.toStdString();
    }
}

TEST(ScriptReaderTest, SubstitutionStopsBeforeItOutgrowsTheLimit)
{
    // b+b becomes 2 * 5 + 1 = 11 characters; a, visited after b, rewrites what b inserted.
    const QMap<QString, QString> table{{"b", "aaaaa"}, {"a", "c"}};
    const ScriptReader::Expansion within = substituteWithin("b+b", table, 11);
    EXPECT_TRUE(within.fits);
    EXPECT_EQ(within.text, "ccccc+ccccc");
    EXPECT_EQ(within.length, 11);

    // Over the limit by one: the text is left as it was before the name that outgrew it.
    const ScriptReader::Expansion over = substituteWithin("b+b", table, 10);
    EXPECT_FALSE(over.fits);
    EXPECT_EQ(over.length, 11);
    EXPECT_EQ(over.text, "b+b");
}

TEST(ScriptReaderTest, SubstitutionMeasuresBeforeItBuilds)
{
    // 1024 copies of a 2 MiB text would be 2^31 characters: more than a string holds. The
    // length is known at once, and nothing is built.
    const QMap<QString, QString> table{{"a", QString(2 * 1024 * 1024, QLatin1Char('x'))}};
    const QString expression = QStringLiteral("a+").repeated(1023) + QLatin1Char('a');
    const ScriptReader::Expansion expansion = substituteWithin(expression, table, kMaxExpressionLength);
    EXPECT_FALSE(expansion.fits);
    EXPECT_EQ(expansion.length, 1023 + 1024 * qint64(2 * 1024 * 1024));
    EXPECT_THROW(substitute(expression, table), std::bad_alloc);
}

TEST(ScriptReaderTest, UnitSuffixesBecomePowersOfTen)
{
    EXPECT_EQ(replaceUnits("2kV"), "2*10^3");
    EXPECT_EQ(replaceUnits("5TeV"), "5*1.60218*10^-7");
    EXPECT_EQ(replaceUnits("2.5GHz"), "2.5*10^9");
    EXPECT_EQ(replaceUnits("(1+2)mA"), "(1+2)*10^-3");
    EXPECT_EQ(replaceUnits("sin(x)"), "sin(x)");
}

TEST(ScriptReaderTest, LongerSuffixesGoBeforeTheirLetters)
{
    EXPECT_EQ(replaceUnits("1kHz"), "1*10^3");
    EXPECT_EQ(replaceUnits("1MeV"), "1*1.60218*10^-13");
    EXPECT_EQ(replaceUnits("1mV"), "1*10^-3");
    EXPECT_EQ(replaceUnits("1GW"), "1*10^9");
}

TEST(ScriptReaderTest, UnitLettersAreRewrittenInsideNames)
{
    EXPECT_EQ(replaceUnits("isFinite(x)"), "is*1inite(x)");
    EXPECT_EQ(replaceUnits("kappa"), "*10^3appa");
    EXPECT_EQ(replaceUnits("Max"), "*10^6ax");
}

struct UnitRow {
    const char* suffix;
    const char* replacement;
};

class UnitRuleTest : public ::testing::TestWithParam<UnitRow>
{
};

TEST_P(UnitRuleTest, RewritesTheSuffixAfterANumber)
{
    const UnitRow row = GetParam();
    EXPECT_EQ(replaceUnits(QStringLiteral("7") + row.suffix), QStringLiteral("7") + row.replacement);
}

INSTANTIATE_TEST_SUITE_P(
    AllForty, UnitRuleTest,
    ::testing::Values(UnitRow{"THz", "*10^12"}, UnitRow{"GHz", "*10^9"}, UnitRow{"MHz", "*10^6"},
                      UnitRow{"kHz", "*10^3"}, UnitRow{"Hz", "*1"}, UnitRow{"nH", "*10^-9"},
                      UnitRow{"uH", "*10^-6"}, UnitRow{"mH", "*10^-3"}, UnitRow{"H", "*1"},
                      UnitRow{"pF", "*10^-12"}, UnitRow{"nF", "*10^-9"}, UnitRow{"uF", "*10^-6"},
                      UnitRow{"mF", "*10^-3"}, UnitRow{"F", "*1"}, UnitRow{"GW", "*10^9"},
                      UnitRow{"MW", "*10^6"}, UnitRow{"kW", "*10^3"}, UnitRow{"mW", "*10^-3"},
                      UnitRow{"uW", "*10^-6"}, UnitRow{"nW", "*10^-9"}, UnitRow{"W", "*1"},
                      UnitRow{"keV", "*1.60218*10^-16"}, UnitRow{"MeV", "*1.60218*10^-13"},
                      UnitRow{"GeV", "*1.60218*10^-10"}, UnitRow{"TeV", "*1.60218*10^-7"},
                      UnitRow{"eV", "*1.60218*10^-19"}, UnitRow{"pA", "*10^-12"},
                      UnitRow{"nA", "*10^-9"}, UnitRow{"uA", "*10^-6"}, UnitRow{"mA", "*10^-3"},
                      UnitRow{"A", "*1"}, UnitRow{"pV", "*10^-12"}, UnitRow{"nV", "*10^-9"},
                      UnitRow{"uV", "*10^-6"}, UnitRow{"mV", "*10^-3"}, UnitRow{"kV", "*10^3"},
                      UnitRow{"V", "*1"}, UnitRow{"G", "*10^9"}, UnitRow{"M", "*10^6"},
                      UnitRow{"k", "*10^3"}));

} // namespace

namespace {

TEST(ScriptReaderTest, NameStatementNamesTheCurve)
{
    const struct {
        const char* script;
        const char* name;
    } rows[] = {
        {"expr = x", "f(y)"},
        {"name \"Damped sine\"\nexpr = x", "Damped sine"},
        {"name \"a\"\nname \"b // c\" // last one counts", "b // c"},
        {"name \"\"", "f(y)"},
        {"name", "f(y)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(read(row.script).curveName, row.name) << row.script;
}

} // namespace
