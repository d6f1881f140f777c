#include "CalcError.h"
#include "QStringPrinter.h"
#include "ScriptParser.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ScriptParserTest, StandardConstantsComeWithTheFlag)
{
    ScriptParser with(true);
    bool ok = false;
    EXPECT_EQ(with.evaluate("pi", &ok), 3.141592653589793);
    EXPECT_TRUE(ok);
    EXPECT_EQ(with.evaluate("gr"), 1.618033988749895);

    ScriptParser without(false);
    without.evaluate("pi", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(without.lastError(), "Undefined variable: 'pi'");
}

TEST(ScriptParserTest, ScienceFunctionsComeEitherWayAndGammaStaysEulersConstant)
{
    ScriptParser with(true);
    EXPECT_EQ(with.evaluate("gamma"), 0.5772156649015329);
    EXPECT_EQ(with.evaluate("gamma(4)+erf(0)"), 6.0);
    ScriptParser without(false);
    bool ok = false;
    EXPECT_EQ(without.evaluate("atan2(0,-1)", &ok), 3.141592653589793);
    EXPECT_TRUE(ok);
    without.evaluate("gamma", &ok);
    EXPECT_FALSE(ok);
}

TEST(ScriptParserTest, AnsKeepsTheLastSuccessfulResult)
{
    ScriptParser parser(false);
    EXPECT_EQ(parser.ans(), 0.0);
    EXPECT_EQ(parser.evaluate("2+3"), 5.0);
    EXPECT_EQ(parser.ans(), 5.0);
    EXPECT_EQ(parser.evaluate("ans*2"), 10.0);

    bool ok = true;
    parser.evaluate("ans+", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(parser.ans(), 10.0);
}

TEST(ScriptParserTest, OkIsSetAgainAfterAFailure)
{
    ScriptParser parser(false);
    bool ok = true;
    parser.evaluate("(", &ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(parser.lastError().isEmpty());
    parser.evaluate("1", &ok);
    EXPECT_TRUE(ok);
    // The text of the last failure stays until the next failure.
    EXPECT_FALSE(parser.lastError().isEmpty());
}

TEST(ScriptParserTest, VariablesReadTheCallersDouble)
{
    ScriptParser parser(false);
    double v = 2.0;
    EXPECT_TRUE(parser.defineVar("v", &v));
    ASSERT_TRUE(parser.compile("v*v+1"));
    EXPECT_EQ(parser.evaluate(), 5.0);
    v = 3.0;
    bool ok = false;
    EXPECT_EQ(parser.evaluate(&ok), 10.0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(parser.ans(), 10.0);
}

TEST(ScriptParserTest, DefinitionFailuresAnswerFalseWithTheirText)
{
    ScriptParser parser(true);
    EXPECT_TRUE(parser.defineConst("tau", 6.283185307179586));
    EXPECT_EQ(parser.evaluate("tau"), 6.283185307179586);
    EXPECT_FALSE(parser.defineConst("pi", 3.0));
    EXPECT_FALSE(parser.lastError().isEmpty());
    double d = 0;
    EXPECT_FALSE(parser.defineVar("ans", &d));
    EXPECT_FALSE(parser.defineVar("a b", &d));
    EXPECT_FALSE(parser.defineVar("12", &d));
}

TEST(ScriptParserTest, FailedCompileLeavesNoProgram)
{
    ScriptParser parser(false);
    ASSERT_TRUE(parser.compile("1+1"));
    EXPECT_FALSE(parser.compile("1+"));
    EXPECT_TRUE(std::isnan(parser.evaluate()));
}

TEST(ScriptParserTest, ErrorTextJoinsTheRecordsMostRecentFirst)
{
    CalcError chain;
    chain.addRecord(1, "CalcParserCompiler", CalcExcepData("CALCPARSINGEXCEP_InvalidSyntax"), "first");
    chain.addRecord(2, "CalcParserMacroFunc", CalcExcepData("CALCPARSINGEXCEP_InternalError"), "second");
    EXPECT_EQ(ScriptParser::formatExceptionText(chain), "second\r\nfirst");

    CalcError one;
    one.addRecord(1, "CalcParser", CalcExcepData("CALCEXCEP_OutOfMemory"), "Out of memory");
    EXPECT_EQ(ScriptParser::formatExceptionText(one), "Out of memory");
    EXPECT_EQ(ScriptParser::formatExceptionText(CalcError()), "");
}

} // namespace
