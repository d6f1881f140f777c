#include "CalcParser.h"
#include "CalcParserRegistrar.h"
#include "CalcTestErrors.h"
#include "MemVariableEvaluator.h"
#include "library/AddOp.h"
#include "library/MaxFct.h"
#include "library/MinFct.h"
#include "library/MinUndefFct.h"
#include "library/SumFct.h"
#include "library/UnaryMinusOp.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// An operator or function with a chosen name, to probe the naming rules.
class NamedOp final : public CalcOperatorI {
public:
    NamedOp(std::string symbol, std::int32_t precedence, bool unary = false)
        : symbol_(std::move(symbol)), precedence_(precedence), unary_(unary) {}
    const char* symbol() const override { return symbol_.c_str(); }
    const char* helpText() const override { return ""; }
    const char* description() const override { return ""; }
    double evaluate(std::int32_t, const double* args) override { return args[0]; }
    std::int32_t precedence() const override { return precedence_; }
    bool isUnary() const override { return unary_; }
    std::unique_ptr<CalcOperatorI> spawn() const override
    {
        return std::make_unique<NamedOp>(symbol_, precedence_, unary_);
    }

private:
    std::string symbol_;
    std::int32_t precedence_;
    bool unary_;
};

class NamedFunc final : public CalcFunctionI {
public:
    NamedFunc(std::string name, std::int32_t argCount) : name_(std::move(name)), argCount_(argCount) {}
    const char* symbol() const override { return name_.c_str(); }
    const char* helpText() const override { return ""; }
    const char* description() const override { return ""; }
    double evaluate(std::int32_t argCount, const double*) override { return argCount; }
    std::int32_t argCount() const override { return argCount_; }
    std::unique_ptr<CalcFunctionI> spawn() const override { return std::make_unique<NamedFunc>(name_, argCount_); }

private:
    std::string name_;
    std::int32_t argCount_;
};

struct RuleRow {
    std::string name;
    std::string identifier; // empty: accepted
    std::string conflict;
};

CalcError expectRule(const RuleRow& row, const std::function<void()>& define)
{
    if (row.identifier.empty()) {
        EXPECT_NO_THROW(define()) << row.name;
        return CalcError();
    }
    const CalcError error = thrownBy(define);
    EXPECT_EQ(identifierOf(error), row.identifier) << row.name;
    EXPECT_EQ(error.record(0).data.valueOf("conflictItemName"), row.conflict) << row.name;
    EXPECT_EQ(error.record(0).sourceUnit, "CalcParserRegistrar");
    return error;
}

// Every engine starts with a variable x and a constant k.
CalcParser& engineWithXAndK(CalcParser& parser)
{
    parser.defineVar(std::make_unique<CalcParser::MemVariableEvaluator>("x"));
    parser.defineConst("k", 1.0);
    return parser;
}

TEST(CalcParserRegistrarTest, VariableNamingRulesInOrder)
{
    const std::vector<RuleRow> rows = {
        {"", "CALCDEFEXCEP_VarNameNull", ""},
        {"a b", "CALCDEFEXCEP_VarNameSpace", ""},
        {"1 -", "CALCDEFEXCEP_VarNameSpace", ""},
        {"x", "CALCDEFEXCEP_VarAlreadyDefined", ""},
        {"2", "CALCDEFEXCEP_VarNameOnlyNum", ""},
        {"3.5", "CALCDEFEXCEP_VarNameOnlyNum", ""},
        {".", "CALCDEFEXCEP_VarNameOnlyNum", ""},
        {"k", "CALCDEFEXCEP_VarNameConstConflict", ""},
        {"NaN", "CALCDEFEXCEP_VarNameConstConflict", ""},
        {"a,b", "CALCDEFEXCEP_VarNameSyntaxConflict", ","},
        {"f(", "CALCDEFEXCEP_VarNameSyntaxConflict", "("},
        {"a)-", "CALCDEFEXCEP_VarNameSyntaxConflict", ")"},
        {"a-b", "CALCDEFEXCEP_VarNameDelimConflict", "-"},
        {"a+b", "CALCDEFEXCEP_VarNameDelimConflict", "+"},
        {"!a", "CALCDEFEXCEP_VarNameDelimConflict", "!"},
        {"a<=b<c", "CALCDEFEXCEP_VarNameDelimConflict", "<="},
        {"x1", "", ""},
        {"1x", "", ""},
        {"1.2.3", "", ""},
        {"a\tb", "", ""},
    };
    CalcParser parser;
    engineWithXAndK(parser);
    for (const RuleRow& row : rows)
        expectRule(row, [&] { parser.defineVar(std::make_unique<CalcParser::MemVariableEvaluator>(row.name)); });
    EXPECT_THROW(parser.defineVar(nullptr), CalcError);
}

TEST(CalcParserRegistrarTest, ConstantNamingRulesInOrder)
{
    const std::vector<RuleRow> rows = {
        {"", "CALCDEFEXCEP_ConstNameNull", ""},
        {"c d", "CALCDEFEXCEP_ConstNameSpace", ""},
        {"k", "CALCDEFEXCEP_ConstAlreadyDefined", ""},
        {"12", "CALCDEFEXCEP_ConstNameOnlyNum", ""},
        {"c,d", "CALCDEFEXCEP_ConstNameSyntaxConflict", ","},
        {"c*d", "CALCDEFEXCEP_ConstNameOpConflict", "*"},
        {"x", "CALCDEFEXCEP_ConstNameVarConflict", ""},
        {"pi", "", ""},
    };
    CalcParser parser;
    engineWithXAndK(parser);
    for (const RuleRow& row : rows)
        expectRule(row, [&] { parser.defineConst(row.name, 2.0); });
}

TEST(CalcParserRegistrarTest, FunctionNamingRulesInOrder)
{
    struct Row {
        RuleRow rule;
        std::int32_t argCount;
    };
    const std::vector<Row> rows = {
        {{"", "CALCDEFEXCEP_FuncNameNull", ""}, 1},
        {{"f g", "CALCDEFEXCEP_FuncNameSpace", ""}, 1},
        {{"max", "CALCDEFEXCEP_FuncAlreadyDefined", ""}, 2},
        {{"min", "CALCDEFEXCEP_FuncAlreadyDefined", ""}, CalcFunctionI::anyArgCount},
        {{"f;", "", ""}, 1},
        {{"f,g", "CALCDEFEXCEP_FuncNameSyntaxConflict", ","}, 1},
        {{"f-g", "CALCDEFEXCEP_FuncNameOpConflict", "-"}, 1},
        {{"max", "", ""}, 4},
        {{"x", "", ""}, 1},
        {{"k", "", ""}, 1},
    };
    CalcParser parser;
    engineWithXAndK(parser);
    for (const Row& row : rows)
        expectRule(row.rule, [&] { parser.defineFunc(std::make_unique<NamedFunc>(row.rule.name, row.argCount)); });
    EXPECT_EQ(parser.evaluate("max(1,2,3,4)"), 4.0);
}

TEST(CalcParserRegistrarTest, OperatorNamingRulesInOrder)
{
    struct Row {
        RuleRow rule;
        std::int32_t precedence;
        bool unary;
        std::string itemName;
    };
    const std::vector<Row> rows = {
        {{"", "CALCDEFEXCEP_OpNameNull", ""}, 1, false, ""},
        {{"< >", "CALCDEFEXCEP_OpNameSpace", ""}, 1, false, "< >"},
        {{"**", "CALCDEFEXCEP_OpPrecedence", ""}, -1, false, "**"},
        {{"**", "CALCDEFEXCEP_OpPrecedence", ""}, 10000, false, "**"},
        {{"+", "CALCDEFEXCEP_OpAlreadyDefined", ""}, 500, false, "+"},
        {{"!", "CALCDEFEXCEP_OpAlreadyDefined", ""}, 5, true, "!"},
        {{",", "CALCDEFEXCEP_OpNameSyntaxConflict", ","}, 5, false, ","},
        {{"in", "CALCDEFEXCEP_FuncNameOpConflict", "in"}, 5, false, "sin"},
        {{"N", "CALCDEFEXCEP_FuncNameOpConflict", "N"}, 5, false, "isNaN"},
        {{"zz", "CALCDEFEXCEP_ConstNameOpConflict", "zz"}, 5, false, "zzz"},
        {{"*", "", ""}, 9999, true, ""},
        {{"@", "", ""}, 0, false, ""},
    };
    CalcParser parser;
    parser.defineConst("zzz", 3.0);
    for (const Row& row : rows) {
        const CalcError error = expectRule(row.rule, [&] {
            parser.defineOp(std::make_unique<NamedOp>(row.rule.name, row.precedence, row.unary));
        });
        EXPECT_EQ(error.record(0).data.valueOf("itemName"), row.itemName) << row.rule.name;
    }
}

TEST(CalcParserRegistrarTest, SyntaxRulesCheckNamesAgainstTheNewSeparator)
{
    struct Row {
        CalcSyntax syntax;
        std::string identifier;
        std::string itemName;
    };
    const std::vector<Row> rows = {
        {{'.', '.'}, "CALCDEFEXCEP_SyntaxArgDecConflict", ""},
        {{'.', '+'}, "CALCDEFEXCEP_OpNameSyntaxConflict", "+"},
        {{'.', 'a'}, "CALCDEFEXCEP_FuncNameSyntaxConflict", "asin"},
        {{'.', '_'}, "CALCDEFEXCEP_ConstNameSyntaxConflict", "q_q"},
    };
    CalcParser parser;
    parser.defineConst("q_q", 1.0);
    for (const Row& row : rows) {
        const CalcError error = thrownBy([&] { parser.setSyntax(row.syntax); });
        EXPECT_EQ(identifierOf(error), row.identifier);
        EXPECT_EQ(error.record(0).data.valueOf("itemName"), row.itemName) << row.identifier;
    }
    EXPECT_EQ(thrownBy([&] { parser.setSyntax({',', ','}); }).description(0),
              "Unknown exception: CALCDEFEXCEP_SyntaxArgDecConflict");
    EXPECT_EQ(parser.getSyntax().argSeparator, ',');
    parser.setSyntax({',', ';'});
    EXPECT_EQ(parser.getSyntax().decimalPoint, ',');
}

TEST(CalcParserRegistrarTest, LookupsOutOfRangeNameThePosition)
{
    CalcParser parser;
    parser.defineConst("a", 1.0);
    parser.defineConst("b", 2.0);
    std::string name;
    double value = 0.0;
    const CalcError error = thrownBy([&] { parser.getConst(5, name, value); });
    EXPECT_EQ(identifierOf(error), "CALCDEFEXCEP_ItemNotFound");
    EXPECT_EQ(error.record(0).data.valueOf("param1"), "5");
    EXPECT_EQ(error.record(0).line, 1144);
    EXPECT_EQ(error.description(0), "Cannot find the specified item: id = %itemName");
    EXPECT_THROW(parser.getVar(0u), CalcError);
    EXPECT_THROW(parser.getFunc(32), CalcError);
    EXPECT_THROW(parser.getOp(17), CalcError);
    const CalcError byName = thrownBy([&] { parser.getVar("nope"); });
    EXPECT_EQ(byName.record(0).data.valueOf("itemName"), "nope");
    EXPECT_EQ(byName.record(0).line, 1136);
}

TEST(CalcParserRegistrarTest, MatchesTheLongestSymbolWithinTheRemainingText)
{
    CalcParserRegistrar registrar;
    registrar.addOperator(std::make_unique<NamedOp>("<", 400));
    registrar.addOperator(std::make_unique<NamedOp>("<=", 400));
    registrar.addOperator(std::make_unique<NamedOp>("<=>", 400));
    // 'E' and '+' share a bucket.
    registrar.addOperator(std::make_unique<NamedOp>("E", 400));
    registrar.addOperator(std::make_unique<AddOp>());
    struct Row {
        std::string text;
        std::size_t remaining;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"<=>1", 4, "<=>"}, {"<=1", 3, "<="}, {"<1", 2, "<"}, {"<=>", 2, "<="},
        {"+E", 2, "+"},     {"E+", 2, "E"},   {"a<", 2, ""},  {"<", 0, ""},
    };
    for (const Row& row : rows) {
        std::string_view symbol;
        const bool found = registrar.matchOperator(row.text.data(), row.remaining, symbol);
        EXPECT_EQ(found ? std::string(symbol) : std::string(), row.expected) << row.text;
    }
}

TEST(CalcParserRegistrarTest, RemovingAnOperatorRenumbersTheBuckets)
{
    CalcParserRegistrar registrar;
    registrar.addOperator(std::make_unique<NamedOp>("-", 500));
    registrar.addOperator(std::make_unique<NamedOp>("*", 600));
    registrar.addOperator(std::make_unique<UnaryMinusOp>());
    registrar.removeOperator(registrar.operatorAt(0));
    std::uint32_t at = 9;
    EXPECT_FALSE(registrar.findOperator("-", false, at));
    ASSERT_TRUE(registrar.findOperator("-", true, at));
    EXPECT_EQ(at, 1u);
    EXPECT_STREQ(registrar.operatorAt(at)->id(), "unaryMinus");
    std::string_view symbol;
    EXPECT_TRUE(registrar.matchOperator("*", 1, symbol));
    NamedOp stranger("*", 600);
    EXPECT_THROW(registrar.removeOperator(&stranger), CalcError);
    EXPECT_EQ(registrar.operatorCount(), 2u);
}

TEST(CalcParserRegistrarTest, ResolvesOverloadsExactFirstThenTheLastVariadic)
{
    CalcParserRegistrar registrar;
    registrar.addFunction(std::make_unique<SumFct>());
    registrar.addFunction(std::make_unique<MinFct>());
    registrar.addFunction(std::make_unique<MinUndefFct>());
    registrar.addFunction(std::make_unique<NamedFunc>("min", 3));
    struct Row {
        std::string name;
        std::int32_t count;
        std::string id; // empty: no overload
    };
    const std::vector<Row> rows = {
        {"sum", 0, ""},      {"sum", 1, "sum"}, {"sum", 9, "sum"}, {"min", 2, "min2"},
        {"min", 3, "min"},   {"min", 4, "minUndef"}, {"min", 1, "minUndef"}, {"max", 2, ""},
    };
    for (const Row& row : rows) {
        std::uint32_t at = 0;
        const bool found = registrar.findFunctionForCall(row.name, row.count, at);
        EXPECT_EQ(found ? std::string(registrar.functionAt(at)->id()) : std::string(), row.id)
            << row.name << "/" << row.count;
    }
    registrar.removeFunction(registrar.functionAt(1));
    std::uint32_t at = 0;
    ASSERT_TRUE(registrar.findFunctionForCall("min", 2, at));
    EXPECT_STREQ(registrar.functionAt(at)->id(), "minUndef");
    EXPECT_EQ(registrar.functionsNamed("min").size(), 2u);
}

TEST(CalcParserRegistrarTest, RemovingVariablesAndConstantsRenumbersThem)
{
    CalcParserRegistrar registrar;
    for (const char* name : {"a", "b", "c"}) {
        registrar.addVariable(std::make_unique<CalcParser::MemVariableEvaluator>(name));
        registrar.addConstant(std::string("k") + name, 1.0);
    }
    registrar.removeVariable("b");
    registrar.removeConstant("kb");
    EXPECT_STREQ(registrar.variableAt(1)->symbol(), "c");
    EXPECT_STREQ(registrar.variableByName("c")->symbol(), "c");
    std::uint32_t at = 0;
    ASSERT_TRUE(registrar.findConstant("kc", at));
    EXPECT_EQ(at, 1u);
    EXPECT_THROW(registrar.removeVariable("b"), CalcError);
    EXPECT_THROW(registrar.removeConstant("kb"), CalcError);
}

TEST(CalcParserRegistrarTest, CloneIsADeepCopy)
{
    CalcParserRegistrar registrar;
    registrar.setSyntax({',', ';'});
    registrar.addVariable(std::make_unique<CalcParser::MemVariableEvaluator>("v"));
    registrar.addConstant("k", 4.0);
    registrar.addOperator(std::make_unique<AddOp>());
    registrar.addFunction(std::make_unique<MaxFct>());
    const std::unique_ptr<CalcRegistrarI> copy = registrar.clone();
    registrar.removeVariable("v");
    registrar.removeOperator(registrar.operatorAt(0));

    EXPECT_EQ(copy->syntax().argSeparator, ';');
    EXPECT_STREQ(copy->variableAt(0)->symbol(), "v");
    EXPECT_NE(copy->functionAt(0), registrar.functionAt(0));
    EXPECT_STREQ(copy->functionAt(0)->id(), "max2");
    std::string_view symbol;
    EXPECT_TRUE(copy->matchOperator("+", 1, symbol));
    std::string name;
    double value = 0.0;
    copy->constantAt(0, name, value);
    EXPECT_EQ(value, 4.0);
}

} // namespace
