#include "CalcHeapInUse.h"
#include "CalcParser.h"
#include "CalcParserMacroFunc.h"
#include "CalcTestErrors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

    EXPECT_EQ(identifierOf(thrownBy([&] { parser.defineMacro("h(k)", "k", ""); })),
              "CALCDEFEXCEP_VarNameConstConflict")
        << "the engine's constant would hide the argument";

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

std::string callOf(int level, const char* argument)
{
    return "m" + std::to_string(level) + "(" + argument + ")";
}

// Where each level calls the levels below more than once, the steps of one
// evaluation multiply at every level: the first definition past the limit is
// refused, and the levels below it go on working.
TEST(CalcMacroTest, ChainsWhoseStepsMultiplyAreRefusedAtTheLimit)
{
    for (const bool doubling : {true, false}) {
        CalcParser parser;
        parser.defineMacro("m0(x)", "x", "");
        parser.defineMacro("m1(x)", "x", "");
        std::vector<double> valueAtOne{1.0, 1.0};
        CalcError refusal;
        int level = 2;
        for (; level < 64; ++level) {
            const std::string twice = callOf(level - 1, "x") + "+" + callOf(doubling ? level - 1 : level - 2, "x");
            try {
                parser.defineMacro(callOf(level, "x"), twice, "");
            } catch (const CalcError& error) {
                refusal = error;
                break;
            }
            valueAtOne.push_back(valueAtOne[level - 1] + valueAtOne[doubling ? level - 1 : level - 2]);
        }
        ASSERT_EQ(identifierOf(refusal), "CALCDEFEXCEP_MacroTooCostly") << doubling;
        EXPECT_EQ(refusal.record(0).data.valueOf("itemName"), "m" + std::to_string(level));
        EXPECT_EQ(refusal.record(0).data.valueOf("param1"), std::to_string(CalcMacroFct::maxStepsPerEvaluation));
        EXPECT_GT(level, 8) << doubling;
        EXPECT_EQ(macroNamed(parser, "m" + std::to_string(level)), nullptr);
        EXPECT_EQ(parser.evaluate(callOf(level - 1, "1")), valueAtOne[level - 1]) << doubling;
    }
}

// The steps of one evaluation: every record the body's program runs, and the
// steps of each macro it calls. Folded records run at compile time only.
TEST(CalcMacroTest, StepsCountTheBodysRecordsAndThoseOfTheMacrosItCalls)
{
    std::string sum = "x";
    while (sum.size() < CalcMacroFct::maxStepsPerEvaluation - 1)
        sum += "+x";
    struct Row {
        const char* prototype;
        std::string body;
        std::uint64_t steps;
    };
    const Row rows[] = {
        {"sq(x)", "x*x", 4},           // the fetch of x, two references, the product
        {"five()", "2+3", 0},
        {"quad(x)", "sq(sq(x))", 4 + 2 * 4},
        {"g(x)", "sq(2)+x", 3},
        {"atLimit(x)", sum, CalcMacroFct::maxStepsPerEvaluation},
    };
    CalcParser parser;
    for (const Row& row : rows) {
        parser.defineMacro(row.prototype, row.body, "");
        const std::string name(row.prototype, std::string(row.prototype).find('('));
        EXPECT_EQ(macroNamed(parser, name)->steps(), row.steps) << row.prototype;
    }
    const CalcError error = thrownBy([&] { parser.defineMacro("overLimit(x)", sum + "+1", ""); });
    EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_MacroTooCostly");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), "overLimit");
    EXPECT_EQ(macroNamed(parser, "overLimit"), nullptr);
}

// A macro keeps a small program of its own and shares every other definition
// with the engine that defined it: neither a long chain nor thousands of
// macros take more than a few kilobytes each, also in a copy of the engine.
TEST(CalcMacroTest, ChainsAndManyMacrosStaySmall)
{
    constexpr long long bytesPerMacro = 8 * 1024;
    struct Row {
        const char* what;
        int count;
        bool chained;
    };
    const Row rows[] = {{"chained", 400, true}, {"independent", 4000, false}};
    for (const Row& row : rows) {
        CalcParser parser;
        parser.defineMacro("m0(x)", "x", "");
        const long long before = static_cast<long long>(calcHeapInUse());
        for (int k = 1; k <= row.count; ++k) {
            const std::string below = row.chained ? "m" + std::to_string(k - 1) + "(x)+1" : "x+" + std::to_string(k);
            parser.defineMacro("m" + std::to_string(k) + "(x)", below, "");
            // Checked on the way, so that a fault fails at once instead of taking gigabytes.
            if (k % 50 == 0) {
                ASSERT_LT(static_cast<long long>(calcHeapInUse()) - before, k * bytesPerMacro)
                    << row.what << ", " << k << " macros";
            }
        }
        const std::string last = "m" + std::to_string(row.count) + "(0)";
        EXPECT_EQ(parser.evaluate(last), row.count) << row.what;
        CalcParser copy(parser);
        EXPECT_EQ(copy.evaluate(last), row.count) << row.what;
        EXPECT_LT(static_cast<long long>(calcHeapInUse()) - before, 2 * row.count * bytesPerMacro) << row.what;
    }
}

// A copy's macros compile on first use, each needing those it calls: one
// compile does at most CalcMacroCompileGuard's 4096 of them on its way.
TEST(CalcMacroTest, FirstUseInACopyCompilesABoundedNumberOfMacros)
{
    CalcParser parser;
    std::string sum = "0";
    for (int k = 1; k <= 4096; ++k) {
        parser.defineMacro(callOf(k, ""), std::to_string(k), "");
        sum += "+" + callOf(k, "");
    }
    parser.defineMacro("all()", sum, "");
    parser.defineMacro("fewer()", "m1()+m4096()", "");
    EXPECT_EQ(parser.evaluate("all()"), 4096.0 * 4097.0 / 2.0);

    // Made while the engine's expression calls no macro, the copy has compiled none.
    parser.compile("0");
    CalcParser copy(parser);
    EXPECT_EQ(identifierOf(thrownBy([&] { copy.compile("all()"); })), "CALCEXCEP_OutOfMemory");
    EXPECT_EQ(copy.evaluate("fewer()"), 4097.0) << "the copy goes on working";
}

// A macro calls what it called when it was compiled, also after the engine
// undefined it.
TEST(CalcMacroTest, MacroKeepsWhatItCallsWhenTheEngineUndefinesIt)
{
    CalcParser parser;
    parser.defineMacro("g(x)", "x*2", "");
    parser.defineMacro("f(x)", "g(x)+1", "");
    parser.undefineFuncsByName("g");
    parser.undefineOpsBySymbol("+");
    double x = 3.0;
    parser.defineVar("x", &x);
    parser.compile("f(x)");
    EXPECT_EQ(parser.evaluate(), 7.0);
    EXPECT_EQ(parser.evaluate("f(1)"), 3.0);
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.compile("g(1)"); })), "CALCPARSINGEXCEP_UndefinedFunc");
}

} // namespace
