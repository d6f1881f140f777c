#include "CalcFunctionI.h"
#include "CalcOperatorI.h"
#include "CalcParser.h"
#include "../CalcTestErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

struct ValueRow {
    std::string text;
    double expected;
};

void expectValues(const std::vector<ValueRow>& rows)
{
    CalcParser parser;
    for (const ValueRow& row : rows) {
        const double value = parser.evaluate(row.text);
        if (std::isnan(row.expected))
            EXPECT_TRUE(std::isnan(value)) << row.text << " gave " << value;
        else
            EXPECT_EQ(value, row.expected) << row.text;
    }
}

TEST(CalcDefaultLibraryTest, Operators)
{
    expectValues({
        {"2^10", 1024},       {"(-8)^(1/3)", nan}, {"(-3)^2", 9},     {"2^0.5", std::sqrt(2.0)},
        // regression: a truncated exponent made 4^2.5 give 16
        {"4^2.5", 32},        {"4^2.9", std::pow(4.0, 2.9)},          {"5%0", nan},
        {"-1%3", -1},         {"7%-3", 1},         {"1/0", inf},      {"-1/0", -inf},
        {"0/0", nan},         {"+3", 3},           {"1<NaN", 0},      {"NaN<=NaN", 0},
        {"2>=2", 1},          {"2<=1", 0},         {"3>2", 1},        {"NaN==NaN", 0},
        {"NaN!=NaN", 1},      {"1==1", 1},         {"NaN&1", 1},      {"0&1", 0},
        {"0|0", 0},           {"0|2", 1},          {"!NaN", 0},       {"!0", 1},
        {"!5", 0},
    });
    CalcParser parser;
    EXPECT_TRUE(std::signbit(parser.evaluate("-0")));
}

TEST(CalcDefaultLibraryTest, Functions)
{
    expectValues({
        {"round(2.5)", 3},    {"round(-2.5)", -3}, {"round(0)", 0},    {"round(-0.4)", 0},
        // regression: rounding through int32 made this -2147483648
        {"round(3000000000)", 3e9},               {"round(NaN)", nan}, {"round(1/0)", inf},
        {"fact(5)", 120},     {"fact(0)", 1},      {"fact(-3)", 1},    {"fact(4.9)", 24},
        {"fact(1)", 1},       {"fact(13)", 6227020800.0},             {"fact(171)", inf},
        {"fact(1000000000000000)", inf},          {"fact(NaN)", nan},
        {"min(1,NaN)", nan},  {"min(NaN,1)", 1},   {"min(3,1,2)", 1},  {"min(5,4,3,2)", 2},
        {"max(2,7,3)", 7},    {"max(2,7,3,9)", 9}, {"max(NaN,1)", 1},  {"max(4)", 4},
        {"if(NaN,1,2)", 1},   {"if(0,1,2)", 2},    {"avg(1,2,3,4)", 2.5}, {"sum(1,2,3)", 6},
        {"isNaN(NaN)", 1},    {"isNaN(1/0)", 0},   {"isFinite(1/0)", 0}, {"isFinite(2)", 1},
        {"abs(-2)", 2},       {"ceil(1.2)", 2},    {"floor(-1.2)", -2}, {"log10(1000)", 3},
        {"log(1)", 0},        {"sqrt(-1)", nan},   {"log(0)", -inf},   {"asin(2)", nan},
        {"sinh(0)+cosh(0)+tanh(0)+tan(0)+atan(0)+acos(1)", 1},
        {"hex(ff)", 255},     {"hex(FF)", 255},    {"hex(7fffffff)", 2147483647}, {"hex()", 0},
        {"bin(1010)", 10},    {"bin(0)", 0},
    });
    EXPECT_TRUE(std::isfinite(CalcParser().evaluate("fact(170)")));
}

TEST(CalcDefaultLibraryTest, ConversionFunctionsRejectForeignDigits)
{
    CalcParser parser;
    for (const char* text : {"hex(1G)", "bin(102)", "hex(-1)", "bin(1.0)"})
        EXPECT_EQ(identifierOf(thrownBy([&] { parser.compile(text); })), "CALCPARSINGEXCEP_InvalidFuncSyntax")
            << text;
}

TEST(CalcDefaultLibraryTest, RandomSequenceIsTheSameInEveryRun)
{
    std::vector<double> values;
    // A fresh thread starts the sequence from its beginning.
    std::thread([&] {
        CalcParser parser;
        parser.compile("rand()");
        for (int i = 0; i < 3; ++i)
            values.push_back(parser.evaluate());
        parser.compile("rand(10,20)");
        values.push_back(parser.evaluate());
    }).join();
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0], 16838.0 / 32767);
    EXPECT_EQ(values[1], 5758.0 / 32767);
    EXPECT_EQ(values[2], 10113.0 / 32767);
    EXPECT_EQ(values[3], 10 + 17515.0 / 32767 * 10);
}

TEST(CalcDefaultLibraryTest, DefinesItsItemsInOrder)
{
    struct OpRow {
        const char* id;
        const char* symbol;
        int precedence;
        bool unary;
    };
    const OpRow ops[] = {
        {"+", "+", 500, false},      {"unaryAdd", "+", 800, true}, {"minus", "-", 500, false},
        {"*", "*", 600, false},      {"/", "/", 600, false},       {"^", "^", 700, false},
        {"unaryMinus", "-", 800, true}, {"%", "%", 600, false},    {">", ">", 400, false},
        {"<", "<", 400, false},      {">=", ">=", 400, false},     {"<=", "<=", 400, false},
        {"!=", "!=", 300, false},    {"==", "==", 300, false},     {"&", "&", 200, false},
        {"|", "|", 100, false},      {"!", "!", 800, true},
    };
    const char* functions[] = {"round", "sin", "asin", "sinh", "cos", "acos", "cosh", "tan",
                               "atan", "tanh", "sqrt", "min2", "min3", "minUndef", "max2", "max3",
                               "maxUndef", "abs", "rand0", "rand2", "ceil", "floor", "log", "log10",
                               "avg", "sum", "fact", "if", "isNaN", "isFinite", "hex", "bin"};
    CalcParser parser;
    ASSERT_EQ(parser.opCount(), 17u);
    for (std::uint32_t i = 0; i < 17; ++i) {
        CalcOperatorI* op = parser.getOp(i);
        EXPECT_STREQ(op->id(), ops[i].id);
        EXPECT_STREQ(op->symbol(), ops[i].symbol);
        EXPECT_EQ(op->precedence(), ops[i].precedence) << ops[i].id;
        EXPECT_EQ(op->isUnary(), ops[i].unary) << ops[i].id;
        EXPECT_STREQ(op->spawn()->id(), ops[i].id);
        EXPECT_TRUE(op->isConstant());
    }
    ASSERT_EQ(parser.funcCount(), 32u);
    for (std::uint32_t i = 0; i < 32; ++i) {
        CalcFunctionI* function = parser.getFunc(i);
        EXPECT_STREQ(function->id(), functions[i]);
        EXPECT_STREQ(function->spawn()->id(), functions[i]);
        EXPECT_EQ(function->isConstant(), std::string(function->symbol()) != "rand") << functions[i];
        EXPECT_EQ(function->convFunction() != nullptr, i >= 30) << functions[i];
    }
    std::string name;
    double value = 0.0;
    ASSERT_EQ(parser.constCount(), 1u);
    parser.getConst(0, name, value);
    EXPECT_EQ(name, "NaN");
}

TEST(CalcDefaultLibraryTest, KeepsItsEstablishedTexts)
{
    CalcParser parser;
    EXPECT_STREQ(parser.getOp(15)->helpText(), "x | y");
    EXPECT_STREQ(parser.getOp(16)->description(), "Not logical operator. Returns 1 if x is 0, else returns 1");
    EXPECT_STREQ(parser.getOp(8)->description(), "Greater than logical operator.  Returns 1 if true, 0 if false.");
    EXPECT_STREQ(parser.getFunc(28)->helpText(), "isNan(value)");
    EXPECT_STREQ(parser.getFunc(19)->helpText(), "rand(min, max)");
    EXPECT_STREQ(parser.getFunc(26)->description(), "Returns the factorial of x: x*(x-1)*(x-2)*...(x-x+1)");
    EXPECT_EQ(parser.getFunc(13)->argCount(), CalcFunctionI::anyArgCount);
}

} // namespace
