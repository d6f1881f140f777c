#include "CalcDoubleVector.h"
#include "CalcFunctionI.h"
#include "CalcOperatorI.h"
#include "CalcParser.h"
#include "CalcTestErrors.h"
#include "CalcParserCompiler.h"
#include "CalcParserRegistrar.h"
#include "MemVariableEvaluator.h"
#include "MemVariableFactory.h"
#include "library/CalcDefaultLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A variable that counts its own deletions, to show who owns it.
class CountedVariable final : public CalcVariableI {
public:
    CountedVariable(std::string name, double value, int& deletions)
        : name_(std::move(name)), value_(value), deletions_(deletions) {}
    ~CountedVariable() override { ++deletions_; }
    const char* symbol() const override { return name_.c_str(); }
    double evaluate(std::int32_t, const double*) override { return value_; }
    std::unique_ptr<CalcVariableI> spawn() const override
    {
        return std::make_unique<CountedVariable>(name_, value_, deletions_);
    }

private:
    std::string name_;
    double value_;
    int& deletions_;
};

TEST(CalcParserTest, EmptyProgramsGiveTheEngineNaN)
{
    CalcParser parser;
    EXPECT_EQ(bitsOf(parser.evaluate()), 0x7FFFFFFFFFFFFFFFull);
    EXPECT_EQ(bitsOf(parser.evaluate("")), 0x7FFFFFFFFFFFFFFFull);
    EXPECT_EQ(bitsOf(parser.evaluate("NaN")), 0x7FFFFFFFFFFFFFFFull);
    EXPECT_EQ(bitsOf(CalcParser::nanValue()), 0x7FFFFFFFFFFFFFFFull);
    EXPECT_EQ(parser.lastResultIsNaN(), 1);
}

TEST(CalcParserTest, ConstantExpressionsCostNothingToEvaluate)
{
    CalcParser parser;
    parser.compile("2*3+1");
    EXPECT_TRUE(parser.isConstantExpr());
    EXPECT_EQ(parser.evaluate(), 7.0);
    EXPECT_EQ(parser.lastResultIsFinite(), 1);
}

TEST(CalcParserTest, CompiledOnceEvaluatesTheBoundDoubleEachTime)
{
    CalcParser parser;
    double d = 2.0;
    parser.defineVar("x", &d);
    parser.compile("x*x+x");
    EXPECT_EQ(parser.usedVarCount(), 1u);
    EXPECT_EQ(parser.lastResultIsFinite(), 1) << "records start at 0";
    EXPECT_EQ(parser.evaluate(), 6.0);
    d = 3.0;
    EXPECT_EQ(parser.evaluate(), 12.0);
    d = 1e308;
    parser.evaluate();
    EXPECT_EQ(parser.lastResultIsFinite(), 0);
}

// The commonest operators and functions run inline; they must give what their items give.
TEST(CalcParserTest, InlineItemsMatchTheirOwnResults)
{
    CalcParser parser;
    double x = 0.0;
    parser.defineVar("x", &x);
    struct Row {
        const char* text;
        std::function<double(double)> expected;
    };
    const Row rows[] = {
        {"x+0.5", [](double v) { return v + 0.5; }},
        {"x-3", [](double v) { return v - 3; }},
        {"x*x", [](double v) { return v * v; }},
        {"x/0", [](double v) { return v / 0.0; }},
        {"x^2", [](double v) { return v * v; }},
        {"x^2.5", [](double v) { return std::pow(v, 2.5); }},
        {"sin(x)*cos(x)", [](double v) { return std::sin(v) * std::cos(v); }},
    };
    for (const Row& row : rows) {
        parser.compile(row.text);
        for (double v : {-2.0, 0.0, 4.0}) {
            x = v;
            const double got = parser.evaluate();
            const double want = row.expected(v);
            if (std::isnan(want))
                EXPECT_TRUE(std::isnan(got)) << row.text << " at " << v;
            else
                EXPECT_EQ(got, want) << row.text << " at " << v;
        }
    }
}

TEST(CalcParserTest, UndefiningAnItemResetsTheExpression)
{
    CalcParser parser;
    double d = 2.0;
    parser.defineVar("x", &d);
    parser.defineConst("k", 1.0);
    const std::vector<std::function<void()>> undefines = {
        [&] { parser.undefineVar("x"); },
        [&] { parser.undefineAllVars(); },
        [&] { parser.undefineConst("k"); },
        [&] { parser.undefineFuncsByName("sin"); },
        [&] { parser.undefineOpById("unaryAdd"); },
    };
    for (const auto& undefine : undefines) {
        if (!parser.varCount())
            parser.defineVar("x", &d);
        parser.compile("x+1");
        undefine();
        EXPECT_TRUE(std::isnan(parser.evaluate()));
        EXPECT_EQ(parser.usedVarCount(), 0u);
    }
}

TEST(CalcParserTest, RedefineVarRebindsTheCompiledProgram)
{
    CalcParser parser;
    double first = 1.0;
    double second = 10.0;
    parser.defineVar("x", &first);
    parser.compile("x+1");
    parser.redefineVar("x", &second);
    EXPECT_EQ(parser.evaluate(), 11.0);
    EXPECT_EQ(parser.varCount(), 1u);
    // A variable that does more than read memory is run at every fetch.
    const double values[] = {5.0, 6.0};
    parser.redefineVar(std::make_unique<CalcDoubleVector>("x", values, 2));
    EXPECT_EQ(parser.evaluate(), 6.0);
    EXPECT_EQ(parser.evaluate(), 7.0);

    int deletions = 0;
    const CalcError error = thrownBy([&] { parser.redefineVar(std::make_unique<CountedVariable>("q", 0, deletions)); });
    EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_ItemNotFound");
    EXPECT_EQ(error.record(0).data.valueOf("itemName"), "q");
    EXPECT_EQ(deletions, 1);
    EXPECT_TRUE(std::isnan(parser.evaluate()));
}

TEST(CalcParserTest, RefusedDefinitionsDeleteTheItem)
{
    CalcParser parser;
    int deletions = 0;
    EXPECT_THROW(parser.defineVar(std::make_unique<CountedVariable>("2", 0, deletions)), CalcError);
    EXPECT_EQ(deletions, 1);
    parser.defineVar(std::make_unique<CountedVariable>("v", 4, deletions));
    EXPECT_EQ(parser.evaluate("v"), 4.0);
    EXPECT_EQ(deletions, 1);
}

TEST(CalcParserTest, RandIsNotFolded)
{
    CalcParser parser;
    parser.compile("rand()+1");
    EXPECT_FALSE(parser.isConstantExpr());
    EXPECT_NE(parser.evaluate(), parser.evaluate());
}

TEST(CalcParserTest, BatchStepsThroughDoubleVectors)
{
    const double values[] = {1.0, 2.0};
    CalcParser parser;
    parser.defineVar(std::make_unique<CalcDoubleVector>("v", values, 2));
    parser.defineVar(std::make_unique<CalcDoubleVector>("none", nullptr, 0));
    parser.compile("v");
    double results[3] = {};
    EXPECT_EQ(parser.evaluateBatch(3, results), 3u);
    EXPECT_EQ(results[0], 1.0);
    EXPECT_EQ(results[1], 2.0);
    EXPECT_EQ(results[2], 1.0);
    EXPECT_TRUE(std::isnan(parser.evaluate("none+1")));
}

TEST(CalcParserTest, CopiesAreIndependentAndRecompiled)
{
    double d = 2.0;
    auto original = std::make_unique<CalcParser>();
    original->enableAutoVarDefinition(true);
    original->defineVar("x", &d);
    original->compile("x*auto+x");
    CalcParser copy(*original);
    original.reset();
    // The copy's automatic variable has its own double, not the deleted engine's.
    EXPECT_EQ(copy.evaluate(), 2.0);
    EXPECT_EQ(copy.expression(), "x*auto+x");
    EXPECT_TRUE(copy.autoVarDefinitionEnabled());
    EXPECT_EQ(copy.varCount(), 2u);

    CalcParser broken;
    EXPECT_THROW(broken.compile("1+"), CalcError);
    CalcParser copyOfBroken(broken);
    EXPECT_TRUE(std::isnan(copyOfBroken.evaluate()));
}

TEST(CalcParserTest, BuildsFromAnotherCompilerAndRegistry)
{
    CalcParserRegistrar registrar;
    CalcDefaultLibrary::defineInto(registrar);
    registrar.addConstant("k", 2.0);
    registrar.setVariableFactory(std::make_unique<CalcParser::MemVariableFactory>());
    CalcParserCompiler compiler(registrar);
    compiler.enableAutoVarDefinition(true);
    compiler.compile("k");

    CalcParser parser(compiler, registrar);
    EXPECT_TRUE(std::isnan(parser.evaluate())) << "the expression is not recompiled";
    EXPECT_EQ(parser.evaluate("k*3+fresh"), 6.0);
    EXPECT_FALSE(registrar.hasVariable("fresh"));
    parser.copyFrom(compiler, registrar);
    EXPECT_EQ(parser.varCount(), 0u);
}

TEST(CalcParserTest, AutomaticVariablesHaveTheirOwnSettableValue)
{
    CalcParser parser;
    parser.enableAutoVarDefinition(true);
    parser.compile("a*2");
    auto* a = dynamic_cast<CalcParser::MemVariableEvaluator*>(parser.getVar("a"));
    ASSERT_NE(a, nullptr);
    *a->valueAddress() = 4.0;
    EXPECT_EQ(parser.evaluate(), 8.0);
    parser.enableAutoVarDefinition(false);
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.compile("b"); })), "CALCPARSINGEXCEP_UndefinedVar");
}

TEST(CalcParserTest, UndefinesFunctionsAndOperatorsByIdAndName)
{
    CalcParser parser;
    const std::uint32_t functions = parser.funcCount();
    parser.undefineFuncById("min3");
    parser.undefineFuncById("no such id");
    EXPECT_EQ(parser.funcCount(), functions - 1);
    EXPECT_EQ(parser.evaluate("min(3,1,2)"), 1.0);
    parser.undefineFuncsByName("min");
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.compile("min(1,2)"); })), "CALCPARSINGEXCEP_UndefinedFunc");

    const std::uint32_t operators = parser.opCount();
    parser.undefineOpById("unaryMinus");
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.compile("-1"); })), "CALCPARSINGEXCEP_InvalidOpSyntax");
    parser.undefineOpsBySymbol("-");
    EXPECT_EQ(parser.opCount(), operators - 2);
    // Without the symbol, "-" is an ordinary character of a name.
    EXPECT_EQ(thrownBy([&] { parser.compile("1-2"); }).record(0).data.valueOf("itemName"), "1-2");
}

} // namespace
