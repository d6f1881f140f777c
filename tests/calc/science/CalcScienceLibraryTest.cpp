#include "CalcParser.h"
#include "CalcScienceLibrary.h"
#include "../CalcTestErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
const double pi = 3.141592653589793;

struct ValueRow {
    std::string text;
    double expected;
};

class CalcScienceLibraryTest : public ::testing::Test {
protected:
    CalcScienceLibraryTest()
    {
        CalcScienceLibrary::defineConstants(parser);
        CalcScienceLibrary::defineFunctions(parser);
    }

    CalcParser parser;
};

TEST_F(CalcScienceLibraryTest, FunctionsGiveTheirLibraryValues)
{
    const ValueRow rows[] = {
        {"exp(1)", std::exp(1.0)},     {"exp2(10)", 1024},          {"expm1(0.0000000001)", std::expm1(1e-10)},
        {"log2(8)", 3},                {"log1p(0.0000000001)", std::log1p(1e-10)},
        {"cbrt(-27)", -3},             {"pow(2,0.5)", std::sqrt(2.0)}, {"hypot(3,4)", 5},
        // y first, as in C: the point (-1, 1) lies at three quarters of pi.
        {"atan2(1,-1)", 0.75 * pi},    {"asinh(0)", 0},             {"acosh(1)", 0},
        {"atanh(0.5)", std::atanh(0.5)}, {"erf(0.5)", std::erf(0.5)}, {"erfc(0.5)", std::erfc(0.5)},
        {"gamma(5)", 24},              {"lgamma(10)", std::lgamma(10.0)},
        {"sign(-3)", -1},              {"sign(0)", 0},              {"sign(0.001)", 1},
        {"sign(NaN)", nan},            {"sinc(0)", 1},              {"sinc(2)", std::sin(2.0) / 2},
        {"trunc(-2.7)", -2},           {"fmod(-7,3)", -1},          {"acosh(0.5)", nan},
    };
    for (const ValueRow& row : rows) {
        const double value = parser.evaluate(row.text);
        if (std::isnan(row.expected))
            EXPECT_TRUE(std::isnan(value)) << row.text << " gave " << value;
        // Within four units in the last place: the C library is not always correctly rounded.
        else
            EXPECT_DOUBLE_EQ(value, row.expected) << row.text;
    }
}

TEST_F(CalcScienceLibraryTest, GammaIsEulersConstantWithoutABracketAndTheFunctionWithOne)
{
    EXPECT_EQ(parser.evaluate("gamma"), 0.5772156649015329);
    EXPECT_EQ(parser.evaluate("2*gamma"), 2 * 0.5772156649015329);
    EXPECT_EQ(parser.evaluate("gamma(gamma)"), std::tgamma(0.5772156649015329));
    EXPECT_EQ(parser.evaluate("gamma(0.5)^2"), std::tgamma(0.5) * std::tgamma(0.5));
}

TEST_F(CalcScienceLibraryTest, ConstantArgumentsFoldWhileVariablesAreRead)
{
    parser.compile("erf(1)+gamma");
    EXPECT_TRUE(parser.isConstantExpr());
    double x = 2;
    parser.defineVar("x", &x);
    parser.compile("hypot(x,1)");
    EXPECT_EQ(parser.evaluate(), std::sqrt(5.0));
    x = 0;
    EXPECT_EQ(parser.evaluate(), 1);
}

TEST(CalcScienceLibraryDefaults, ADefaultEngineKeepsItsOwnLibrary)
{
    CalcParser parser;
    EXPECT_EQ(parser.funcCount(), 32u);
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.evaluate("exp(1)"); })), "CALCPARSINGEXCEP_UndefinedFunc");
    CalcScienceLibrary::defineFunctions(parser);
    EXPECT_EQ(parser.funcCount(), 52u);
    EXPECT_EQ(identifierOf(thrownBy([&] { CalcScienceLibrary::defineFunctions(parser); })),
              "CALCDEFEXCEP_FuncAlreadyDefined");
    EXPECT_EQ(identifierOf(thrownBy([&] { parser.evaluate("gamma"); })), "CALCPARSINGEXCEP_UndefinedVar");
}

TEST(CalcScienceLibraryDefaults, EngineCopiesKeepTheFunctions)
{
    CalcParser parser;
    CalcScienceLibrary::defineFunctions(parser);
    parser.compile("sinc(0)+sign(-1)");
    CalcParser copy(parser);
    EXPECT_EQ(copy.evaluate(), 0);
    EXPECT_EQ(copy.evaluate("cbrt(8)"), 2);
}

} // namespace
