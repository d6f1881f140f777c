#include "CalcConvFunctionI.h"
#include "CalcNan.h"
#include "CalcParser.h"
#include "CalcParserCompiler.h"
#include "CalcParserRegistrar.h"
#include "CalcTestErrors.h"
#include "MemVariableEvaluator.h"
#include "MemVariableFactory.h"
#include "library/CalcDefaultLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

class CalcParserCompilerTest : public ::testing::Test {
protected:
    CalcParserCompilerTest()
    {
        CalcDefaultLibrary::defineInto(registrar);
        registrar.addVariable(std::make_unique<CalcParser::MemVariableEvaluator>("x", &x));
        registrar.addVariable(std::make_unique<CalcParser::MemVariableEvaluator>("y", &y));
    }

    // Evaluates the compiled program the way the facade does.
    double run()
    {
        const std::vector<CalcInstruction>& program = compiler.program();
        if (program.back().isValue)
            return program.back().value;
        for (const CalcInstruction& record : program)
            *record.target = record.item->evaluate(record.argCount, record.args);
        return program.back().value;
    }

    double valueOf(const std::string& text)
    {
        compiler.compile(text);
        return run();
    }

    CalcError errorOf(const std::string& text)
    {
        return thrownBy([&] { compiler.compile(text); });
    }

    double x = 3.0;
    double y = 5.0;
    CalcParserRegistrar registrar;
    CalcParserCompiler compiler{registrar};
};

struct ValueRow {
    std::string text;
    double expected;
};

TEST_F(CalcParserCompilerTest, ScansNumbersOperatorsAndPrecedence)
{
    const std::vector<ValueRow> rows = {
        {"2 3", 23},          {".", 0},               {"1.5", 1.5},          {"5.", 5},
        {".25", 0.25},        {"-2^2", 4},            {"2^-2", 0.25},        {"--2", 2},
        {"---2", -2},         {"-!-0", -1},            {"2^3^2", 64},         {"8/2/2", 2},
        {"10-2-3", 5},        {"1+2*3", 7},           {"(1+2)*3", 9},        {"2*-3", -6},
        {"2*3%4", 2},         {"!0+1", 2},            {"1<2==1", 1},         {"1|0&0", 1},
        {"2>=2", 1},          {"1<=2<3", 1},          {"-x", -3},            {"x*x+x", 12},
        {"y-x", 2},           {"((((x))))", 3},       {"  x  +  1  ", 4},    {"NaN==NaN", 0},
        {"sin(0)+cos(0)*2", 2}, {"max((1),2)", 2},    {"max((1),(2),3)", 3}, {"min(-1,-2)", -2},
        {"max(min(1,2),3)", 3}, {"if(x<1,10,20)", 20}, {"sum(1,2,3,4,5)", 15}, {"rand()*0", 0},
        {"hex(ff)+1", 256},   {"max(hex(a),1)", 10},  {"bin()", 0},
        {"1000000000000000000000", 1e21},
    };
    for (const ValueRow& row : rows)
        EXPECT_EQ(valueOf(row.text), row.expected) << row.text;
}

struct ErrorRow {
    std::string text;
    std::string identifier;
    std::string pos;
    std::string itemName;
};

TEST_F(CalcParserCompilerTest, ReportsEveryErrorAtItsPositionInTheCallersText)
{
    const std::vector<ErrorRow> rows = {
        {"2*", "CALCPARSINGEXCEP_UnexpectedOp", "1", ""},
        {"(1+)", "CALCPARSINGEXCEP_UnexpectedOp", "3", ""},
        {"min(1+,2)", "CALCPARSINGEXCEP_UnexpectedOp", "6", ""},
        {"-", "CALCPARSINGEXCEP_UnexpectedOp", "0", ""},
        {"1 <=", "CALCPARSINGEXCEP_UnexpectedOp", "3", ""},
        {"(1", "CALCPARSINGEXCEP_MissingCloseBracket", "0", ""},
        {"1+(2*(3)", "CALCPARSINGEXCEP_MissingCloseBracket", "2", ""},
        {"1)", "CALCPARSINGEXCEP_MissingOpenBracket", "1", ""},
        {"(1))", "CALCPARSINGEXCEP_MissingOpenBracket", "3", ""},
        {"min(1,)", "CALCPARSINGEXCEP_UselessArgSeparator", "5", ""},
        {"min(,1)", "CALCPARSINGEXCEP_UselessArgSeparator", "4", ""},
        {"min(1,,2)", "CALCPARSINGEXCEP_UselessArgSeparator", "6", ""},
        {"(1,2)", "CALCPARSINGEXCEP_InvalidArgSeparator", "2", ""},
        {"1,2", "CALCPARSINGEXCEP_InvalidArgSeparator", "1", ""},
        {"max(1,(2,3))", "CALCPARSINGEXCEP_InvalidArgSeparator", "8", ""},
        {"2*()", "CALCPARSINGEXCEP_InvalidSyntax", "2", ""},
        {"()", "CALCPARSINGEXCEP_InvalidSyntax", "0", ""},
        {"sum()", "CALCPARSINGEXCEP_OverloadedFuncNotFound", "0", "sum"},
        {"1+ sqrt(1,2)", "CALCPARSINGEXCEP_OverloadedFuncNotFound", "3", "sqrt"},
        {"*3", "CALCPARSINGEXCEP_InvalidOpSyntax", "0", "*"},
        {"1 +  *2", "CALCPARSINGEXCEP_InvalidOpSyntax", "5", "*"},
        {"(1)2", "CALCPARSINGEXCEP_MissingOp", "3", "2"},
        {"sin(1)x", "CALCPARSINGEXCEP_MissingOp", "6", "x"},
        {"hex(1)2", "CALCPARSINGEXCEP_MissingOp", "6", "2"},
        // A bracket after a closed group or call would leave an unconsumed result.
        {"(x)(y)", "CALCPARSINGEXCEP_MissingOp", "3", "("},
        {"sin(1)(2)", "CALCPARSINGEXCEP_MissingOp", "6", "("},
        {"hex(f) (2)", "CALCPARSINGEXCEP_MissingOp", "7", "("},
        {"x(2)", "CALCPARSINGEXCEP_UndefinedFunc", "0", "x"},
        {"2(3)", "CALCPARSINGEXCEP_UndefinedFunc", "0", "2"},
        {"x sin(1)", "CALCPARSINGEXCEP_UndefinedFunc", "0", "xsin"},
        {"2*z", "CALCPARSINGEXCEP_UndefinedVar", "2", "z"},
        {"sin x", "CALCPARSINGEXCEP_UndefinedVar", "0", "sinx"},
        {"1e5", "CALCPARSINGEXCEP_UndefinedVar", "0", "1e5"},
        {"1+1.5.2", "CALCPARSINGEXCEP_UndefinedVar", "2", "1.5.2"},
        {"x\t", "CALCPARSINGEXCEP_UndefinedVar", "0", "x\t"},
        {"hex(ff", "CALCPARSINGEXCEP_MissingCloseBracket", "3", ""},
        {"hex(1G)", "CALCPARSINGEXCEP_InvalidFuncSyntax", "4", "hex"},
        {" hex( 1G)", "CALCPARSINGEXCEP_InvalidFuncSyntax", "6", "hex"},
        {"bin(102)", "CALCPARSINGEXCEP_InvalidFuncSyntax", "4", "bin"},
        {"hex(a+b)", "CALCPARSINGEXCEP_InvalidFuncSyntax", "4", "hex"},
        {"hex(0,1)", "CALCPARSINGEXCEP_InvalidFuncSyntax", "4", "hex"},
    };
    for (const ErrorRow& row : rows) {
        const CalcError error = errorOf(row.text);
        ASSERT_EQ(error.count(), 1u) << row.text;
        const CalcExcepData& data = error.record(0).data;
        EXPECT_EQ(data.identifier(), row.identifier) << row.text;
        EXPECT_EQ(data.valueOf("pos"), row.pos) << row.text;
        EXPECT_EQ(data.valueOf("itemName"), row.itemName) << row.text;
        EXPECT_EQ(data.paramName(0), "pos");
        EXPECT_EQ(error.record(0).sourceUnit, "CalcParserCompiler");
    }
}

// An error found after the last character, at the end of the text, counts on
// from that character in the caller's text, blanks included.
TEST_F(CalcParserCompilerTest, PositionsPastTheEndCountOnFromTheLastCharacter)
{
    compiler.compile("1 + 2");
    const std::pair<std::int32_t, const char*> rows[] = {{2, "4"}, {3, "5"}, {4, "6"}};
    for (const auto& [working, caller] : rows) {
        const CalcError error = thrownBy([&] { compiler.raise("CALCPARSINGEXCEP_UnexpectedOp", working); });
        EXPECT_EQ(error.record(0).data.valueOf("pos"), caller) << working;
    }
}

TEST_F(CalcParserCompilerTest, CountsArgumentsForOverloads)
{
    const CalcError error = errorOf("sum()");
    EXPECT_EQ(error.record(0).data.valueOf("param1"), "0");
    EXPECT_EQ(error.description(0), "Invalid number of arguments for function 'sum'");
    EXPECT_EQ(errorOf("hex(z)").record(0).data.valueOf("param1"), "1");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"min(1,2)", "min2"},         {"min(1,2,3)", "min3"},     {"min(1,2,3,4)", "minUndef"},
        {"min((1),(2))", "min2"},     {"min(-1,2,3)", "min3"},    {"min(max(1,2,3),4)", "min2"},
        {"rand()", "rand0"},          {"rand(1,x)", "rand2"},
        {"min(1+(2),3)", "min2"},     {"min(((1)),2)", "min2"},   {"min(1,max(2,3),4,5)", "minUndef"},
    };
    for (const auto& row : rows) {
        compiler.compile(row.first);
        EXPECT_STREQ(compiler.program().back().item->id(), row.second.c_str()) << row.first;
    }
}

TEST_F(CalcParserCompilerTest, FetchesEachVariableOnceInReverseOrderOfFirstUse)
{
    compiler.compile("y*x+y");
    const std::vector<CalcInstruction>& program = compiler.program();
    ASSERT_EQ(program.size(), 7u);
    EXPECT_TRUE(program[0].isVarFetch);
    EXPECT_STREQ(program[0].item->symbol(), "x");
    EXPECT_TRUE(program[1].isVarFetch);
    EXPECT_STREQ(program[1].item->symbol(), "y");
    EXPECT_FALSE(program[2].isVarFetch);
    ASSERT_EQ(compiler.usedVarCount(), 2u);
    EXPECT_EQ(compiler.usedVarName(0), "y");
    EXPECT_EQ(compiler.usedVarName(1), "x");
    EXPECT_THROW(compiler.usedVarName(2), CalcError);
    EXPECT_EQ(run(), 20.0);

    compiler.compile("x+x*x");
    EXPECT_EQ(compiler.usedVarCount(), 1u);
    EXPECT_EQ(compiler.program().size(), 6u);
}

TEST_F(CalcParserCompilerTest, FoldsConstantSubExpressionsIntoTheirConsumers)
{
    compiler.compile("2*3+1");
    ASSERT_EQ(compiler.program().size(), 1u);
    EXPECT_TRUE(compiler.isConstantExpr());
    EXPECT_EQ(compiler.program()[0].value, 7.0);

    compiler.compile("x*(2*3)-max(1,2)");
    const std::vector<CalcInstruction>& program = compiler.program();
    // fetch x, x, *, -: the constant operands already sit in the argument arrays
    ASSERT_EQ(program.size(), 4u);
    EXPECT_FALSE(compiler.isConstantExpr());
    EXPECT_EQ(program[2].args[1], 6.0);
    EXPECT_EQ(program[3].args[1], 2.0);
    EXPECT_EQ(program.back().target, &program.back().value);
    EXPECT_EQ(run(), 16.0);

    // rand is never folded, nor anything that consumes it
    compiler.compile("rand()+1");
    EXPECT_EQ(compiler.program().size(), 2u);
}

TEST_F(CalcParserCompilerTest, EmptyAndFailedCompilesLeaveTheEmptyProgram)
{
    compiler.compile("   ");
    ASSERT_EQ(compiler.program().size(), 1u);
    EXPECT_TRUE(compiler.isConstantExpr());
    EXPECT_TRUE(std::isnan(run()));

    compiler.compile("x+y");
    EXPECT_THROW(compiler.compile("x+(y"), CalcError);
    EXPECT_EQ(compiler.program().size(), 1u);
    EXPECT_EQ(compiler.usedVarCount(), 0u);
    EXPECT_TRUE(std::isnan(run()));
    EXPECT_EQ(compiler.expression(), "x+(y");
}

class BarrenFactory final : public CalcVariableFactoryI {
public:
    std::unique_ptr<CalcVariableI> create(const std::string&) override { return nullptr; }
    std::unique_ptr<CalcVariableFactoryI> spawn() const override { return std::make_unique<BarrenFactory>(); }
};

TEST_F(CalcParserCompilerTest, DefinesUnknownVariablesWhenEnabled)
{
    registrar.setVariableFactory(std::make_unique<CalcParser::MemVariableFactory>());
    compiler.enableAutoVarDefinition(true);
    EXPECT_EQ(valueOf("z+1"), 1.0);
    EXPECT_TRUE(registrar.hasVariable("z"));
    EXPECT_THROW(compiler.compile("q+)"), CalcError);
    EXPECT_TRUE(registrar.hasVariable("q"));
    // A name the factory cannot make stays undefined.
    registrar.setVariableFactory(std::make_unique<BarrenFactory>());
    EXPECT_EQ(identifierOf(errorOf("w")), "CALCPARSINGEXCEP_UndefinedVar");
}

TEST_F(CalcParserCompilerTest, UsesTheRegistrysSyntax)
{
    registrar.setSyntax({',', ';'});
    EXPECT_EQ(valueOf("min(1,5;2)"), 1.5);
    EXPECT_EQ(identifierOf(errorOf("1;2")), "CALCPARSINGEXCEP_InvalidArgSeparator");
}

TEST_F(CalcParserCompilerTest, DeepNestingNeitherCrashesNorFails)
{
    const int depth = 100000;
    EXPECT_EQ(valueOf(std::string(depth, '(') + "x" + std::string(depth, ')')), 3.0);
    EXPECT_EQ(valueOf(std::string(depth + 1, '-') + "x"), -3.0);
    std::string sum = "x";
    for (int i = 0; i < depth; ++i)
        sum += "+1";
    EXPECT_EQ(valueOf(sum), depth + 3.0);
}

// A conversion function whose raw text is compiled as an expression of its own.
class QuoteFunc final : public CalcConvFunctionI {
public:
    const char* symbol() const override { return "quote"; }
    const char* helpText() const override { return ""; }
    const char* description() const override { return ""; }
    double convert(const std::string&) override { return 0.0; }
    void onCloseBracket() override
    {
        compiler_->compileSubExpression(compiler_->currentToken());
        compiler_->clearToken();
        compiler_->returnToDefaultState();
    }
    void init(CalcCompilerI& compiler, CalcRegistrarI& registrar) override
    {
        compiler_ = &compiler;
        CalcConvFunctionI::init(compiler, registrar);
    }
    std::unique_ptr<CalcFunctionI> spawn() const override { return std::make_unique<QuoteFunc>(); }

private:
    CalcCompilerI* compiler_ = nullptr;
};

TEST_F(CalcParserCompilerTest, CompilesSubExpressionsInsideAScan)
{
    registrar.addFunction(std::make_unique<QuoteFunc>());
    EXPECT_EQ(valueOf("quote(x+1)*2"), 8.0);
    EXPECT_EQ(compiler.usedVarCount(), 1u);
    const CalcError error = errorOf("1+quote( )");
    EXPECT_EQ(identifierOf(error), "CALCPARSINGEXCEP_InvalidSyntax");
    EXPECT_EQ(error.record(0).data.valueOf("pos"), "0");
}

} // namespace
