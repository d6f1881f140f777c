#include "CalcParser.h"
#include "CalcParserMacroFunc.h"
#include "CalcTestErrors.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CalcMacroFct* macroNamed(const CalcParser& parser, const std::string& name)
{
    for (std::uint32_t i = 0; i < parser.funcCount(); ++i)
        if (auto* macro = dynamic_cast<CalcMacroFct*>(parser.getFunc(i)); macro && name == macro->symbol())
            return macro;
    return nullptr;
}

TEST(CalcMacroTest, SquareIsFoldedIntoTheCallingExpression)
{
    CalcParser parser;
    parser.defineMacro("sq(x)", "x*x", "square");
    parser.compile("sq(3)+1");
    EXPECT_TRUE(parser.isConstantExpr());
    EXPECT_EQ(parser.evaluate(), 10.0);

    double y = 4.0;
    parser.defineVar("y", &y);
    parser.compile("sq(y)");
    EXPECT_EQ(parser.evaluate(), 16.0);
    y = -5.0;
    EXPECT_EQ(parser.evaluate(), 25.0);

    const CalcMacroFct* sq = macroNamed(parser, "sq");
    ASSERT_NE(sq, nullptr);
    EXPECT_STREQ(sq->description(), "square");
    EXPECT_EQ(sq->argCount(), 1);
    EXPECT_TRUE(sq->isConstant());
}

TEST(CalcMacroTest, HelpTextJoinsArgumentsWithTheSeparatorAndABlank)
{
    struct Row {
        const char* prototype;
        CalcSyntax syntax;
        const char* help;
    };
    const Row rows[] = {
        {"f(a,b)", {'.', ','}, "f(a, b)"},
        {" f ( a , b , c ) ", {'.', ','}, "f(a, b, c)"},
        {"f(a;b)", {',', ';'}, "f(a; b)"},
        {"f()", {'.', ','}, "f()"},
    };
    for (const Row& row : rows) {
        CalcParser parser;
        parser.setSyntax(row.syntax);
        parser.defineMacro(row.prototype, "1", "");
        ASSERT_NE(macroNamed(parser, "f"), nullptr) << row.prototype;
        EXPECT_STREQ(macroNamed(parser, "f")->helpText(), row.help) << row.prototype;
    }
}

TEST(CalcMacroTest, PrototypeSyntaxErrorsPointIntoTheTextAsGiven)
{
    struct Row {
        const char* prototype;
        int pos;
    };
    const Row rows[] = {
        {"f", 0},         // no brackets: the last character
        {"", 0},
        {"  f ", 2},
        {"f(a", 2},       // no closing bracket
        {"f(a,)", 4},     // an empty last argument
        {"f(,a)", 2},     // an empty first argument
        {"f(a,,b)", 4},
        {"f (a, )", 6},   // positions count the blanks
        {"f(a)b)", 3},    // the list ends at its first ")"
    };
    for (const Row& row : rows) {
        CalcParser parser;
        const std::uint32_t functions = parser.funcCount();
        const CalcError error = thrownBy([&] { parser.defineMacro(row.prototype, "1", ""); });
        EXPECT_EQ(error.count(), 1u) << row.prototype;
        EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_MacroProtoSyntax") << row.prototype;
        EXPECT_EQ(error.record(0).data.valueOf("pos"), std::to_string(row.pos)) << row.prototype;
        EXPECT_EQ(error.record(0).data.valueOf("itemName"), row.prototype);
        EXPECT_EQ(error.record(0).sourceUnit, "CalcParserMacroFunc");
        EXPECT_EQ(parser.funcCount(), functions) << row.prototype;
    }
}

// The variable rule's record comes first; the macro record, added to the same
// chain, is the most recent.
TEST(CalcMacroTest, RefusedArgumentNamesChainTheVariableRule)
{
    struct Row {
        const char* prototype;
        const char* variableError;
        int pos;
    };
    const Row rows[] = {
        {"f(a,a)", "CALCDEFEXCEP_VarAlreadyDefined", 4},
        {"f(NaN)", "CALCDEFEXCEP_VarNameConstConflict", 2},
        {"f(a, 12)", "CALCDEFEXCEP_VarNameOnlyNum", 5},
        {"f(a-b)", "CALCDEFEXCEP_VarNameDelimConflict", 2},
    };
    for (const Row& row : rows) {
        CalcParser parser;
        const CalcError error = thrownBy([&] { parser.defineMacro(row.prototype, "1", ""); });
        ASSERT_EQ(error.count(), 2u) << row.prototype;
        EXPECT_EQ(error.record(0).data.identifier(), "CALCDEFEXCEP_MacroProtoSyntax") << row.prototype;
        EXPECT_EQ(error.record(0).data.valueOf("pos"), std::to_string(row.pos)) << row.prototype;
        EXPECT_EQ(error.record(1).data.identifier(), row.variableError) << row.prototype;
    }
}

TEST(CalcMacroTest, EmptyBracketsDeclareNoArgument)
{
    CalcParser parser;
    parser.defineMacro("five()", "2+3", "");
    EXPECT_EQ(parser.evaluate("five()*2"), 10.0);
    EXPECT_EQ(macroNamed(parser, "five")->argCount(), 0);
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.compile("five(1)"); })),
              "CALCPARSINGEXCEP_OverloadedFuncNotFound");
}

TEST(CalcMacroTest, BodySeesTheDefinitionsButNotTheVariablesOfItsEngine)
{
    CalcParser parser;
    double x = 100.0;
    parser.defineVar("x", &x);
    parser.defineConst("k", 3.0);
    const std::uint32_t functions = parser.funcCount();

    const CalcError error = thrownBy([&] { parser.defineMacro("g(y)", "x*y", ""); });
    EXPECT_EQ(identifierOf(error), "CALCPARSINGEXCEP_UndefinedVar");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), "x");
    EXPECT_EQ(error.record(0).data.valueOf("pos"), "0");
    EXPECT_EQ(parser.funcCount(), functions);

    parser.defineMacro("g(x)", "k*x", "");
    EXPECT_EQ(parser.evaluate("g(2)"), 6.0) << "the argument, not the engine's x";
    EXPECT_EQ(parser.evaluate("g(x)"), 300.0);
}

TEST(CalcMacroTest, RefusedBodiesAndNamesDefineNothing)
{
    struct Row {
        const char* prototype;
        const char* body;
        const char* identifier;
        const char* pos;
    };
    const Row rows[] = {
        {"f(a)", "a+", "CALCPARSINGEXCEP_UnexpectedOp", "1"},
        {"f(a)", "a + nope(a)", "CALCPARSINGEXCEP_UndefinedFunc", "4"},
        {"sin(a)", "a", "CALCDEFEXCEP_FuncAlreadyDefined", ""},
        {"f-g(a)", "a", "CALCDEFEXCEP_FuncNameOpConflict", ""},
        {"(a)", "a", "CALCDEFEXCEP_FuncNameNull", ""},
    };
    for (const Row& row : rows) {
        CalcParser parser;
        const std::uint32_t functions = parser.funcCount();
        const CalcError error = thrownBy([&] { parser.defineMacro(row.prototype, row.body, ""); });
        EXPECT_EQ(error.count(), 1u) << row.prototype << " = " << row.body;
        EXPECT_EQ(identifierOf(error), row.identifier) << row.prototype << " = " << row.body;
        EXPECT_EQ(error.record(0).data.valueOf("pos"), row.pos) << row.prototype << " = " << row.body;
        EXPECT_EQ(parser.funcCount(), functions) << row.prototype << " = " << row.body;
    }
}

TEST(CalcMacroTest, RandomMacroIsFoldedOnceIntoTheCallingExpression)
{
    CalcParser parser;
    double x = 0.0;
    parser.defineVar("x", &x);
    parser.defineMacro("r()", "rand()", "");

    parser.compile("r()+x");
    EXPECT_FALSE(parser.isConstantExpr());
    const double first = parser.evaluate();
    EXPECT_EQ(parser.evaluate(), first);
    EXPECT_EQ(parser.evaluate(), first);

    parser.compile("rand()+x");
    const double a = parser.evaluate();
    EXPECT_NE(parser.evaluate(), a) << "rand itself is run at every evaluation";
}

TEST(CalcMacroTest, MacrosCallEarlierMacrosAndOverloadByArgumentCount)
{
    CalcParser parser;
    parser.defineMacro("sq(x)", "x*x", "");
    parser.defineMacro("quad(x)", "sq(sq(x))", "");
    parser.defineMacro("f(x)", "x", "");
    parser.defineMacro("f(x,y)", "x+y", "");
    EXPECT_EQ(parser.evaluate("quad(2)"), 16.0);
    EXPECT_EQ(parser.evaluate("f(1)+f(1,2)"), 4.0);
}

// A copy sees the definitions of the engine that holds it at its first use.
TEST(CalcMacroTest, CopiedEngineCompilesItsMacroOnFirstUse)
{
    CalcParser original;
    original.defineConst("k", 2.0);
    original.defineMacro("area(r)", "k*r*r", "");
    ASSERT_TRUE(macroNamed(original, "area")->isCompiled());

    CalcParser copy(original);
    const CalcMacroFct* copied = macroNamed(copy, "area");
    ASSERT_NE(copied, nullptr);
    EXPECT_FALSE(copied->isCompiled());
    EXPECT_STREQ(copied->helpText(), "area(r)");
    copy.undefineConst("k");
    copy.defineConst("k", 3.0);
    EXPECT_EQ(copy.evaluate("area(1)"), 3.0);
    EXPECT_TRUE(copied->isCompiled());
    EXPECT_EQ(original.evaluate("area(1)"), 2.0);
}

TEST(CalcMacroTest, CopiedEngineKeepsAWorkingMacroAfterTheOriginalIsGone)
{
    auto original = std::make_unique<CalcParser>();
    original->defineMacro("sq(x)", "x*x", "");
    original->compile("sq(7)");
    CalcParser copy(*original);
    original.reset();
    EXPECT_EQ(copy.evaluate(), 49.0);
    EXPECT_EQ(copy.evaluate("sq(3)"), 9.0);
}

// In the original, g calls the default min of any argument count, the one
// there was when g was defined. A copy resolves min(a) anew, to the macro
// min(a) that calls g.
TEST(CalcMacroTest, CopiesThatWouldCallThemselvesFailToCompile)
{
    CalcParser original;
    original.defineMacro("g(a)", "min(a)+1", "");
    original.defineMacro("min(a)", "g(a)*2", "");
    EXPECT_EQ(original.evaluate("min(1)"), 4.0);
    EXPECT_EQ(original.evaluate("g(1)"), 2.0);

    CalcParser copy(original);
    const CalcError error = thrownBy([&] { copy.compile("min(1)"); });
    EXPECT_EQ(identifierOf(error), "CALCPARSINGEXCEP_UndefinedFunc");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), "min");
    EXPECT_EQ(copy.evaluate("min(3,2)"), 2.0) << "the engine goes on working";
}

// Each macro calls the two before it, so compiling one compiles the others
// over and over; the work is bounded instead of growing without end.
TEST(CalcMacroTest, MacrosThatMultiplyTheirCompilingHitABound)
{
    CalcParser parser;
    parser.defineMacro("m0(x)", "x", "");
    parser.defineMacro("m1(x)", "x", "");
    std::string failure;
    for (int k = 2; k < 40 && failure.empty(); ++k) {
        const std::string name = "m" + std::to_string(k);
        const std::string body = "m" + std::to_string(k - 1) + "(x)+m" + std::to_string(k - 2) + "(x)";
        try {
            parser.defineMacro(name + "(x)", body, "");
            EXPECT_GT(parser.evaluate(name + "(1)"), 0.0);
        } catch (const CalcError& error) {
            failure = identifierOf(error);
        }
    }
    EXPECT_EQ(failure, "CALCEXCEP_OutOfMemory");
    EXPECT_EQ(parser.evaluate("m10(1)"), 89.0);
}

} // namespace
