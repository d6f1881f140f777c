#include "derive/CurveExpression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Samples {
    std::vector<double> x;
    std::vector<double> y;
};

// Curve 0 and 1 share x; curve 2 has every other x and a wider range, curve 3 a narrower one.
const std::map<int, Samples>& curves()
{
    static const std::map<int, Samples> all = {
        {0, {{0, 1, 2, 3, 4}, {1, 2, 3, 4, 5}}},
        {1, {{0, 1, 2, 3, 4}, {10, 20, 30, 40, 50}}},
        {2, {{-2, 0, 2, 4, 6}, {-200, 0, 200, 400, 600}}},
        {3, {{1, 3}, {7, 9}}},
        {4, {{0, 2, 1}, {0, 0, 0}}},
    };
    return all;
}

bool lookup(int id, CurveExpression::Curve& curve)
{
    const auto it = curves().find(id);
    if (it == curves().end())
        return false;
    curve = {it->second.x.data(), it->second.y.data(), it->second.x.size()};
    return true;
}

struct Case {
    const char* expression;
    int base;
    std::vector<double> expected;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.expression; }

class CurveExpressionTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(CurveExpressionTest, EvaluatesAtTheXOfTheFirstCurveNamed)
{
    const Case c = GetParam();
    CurveExpression expression(c.expression);
    EXPECT_EQ(expression.baseCurve(0), c.base);
    const std::vector<double> y = expression.evaluate(lookup, 0);
    ASSERT_EQ(y.size(), c.expected.size()) << c.expression;
    for (std::size_t i = 0; i < y.size(); ++i) {
        if (std::isnan(c.expected[i]))
            EXPECT_TRUE(std::isnan(y[i])) << c.expression << " at " << i << ": " << y[i];
        else
            EXPECT_NEAR(y[i], c.expected[i], 1e-12) << c.expression << " at " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurveExpressionTest,
    ::testing::Values(Case{"c1 - c0", 1, {9, 18, 27, 36, 45}}, Case{"y0 * 1000", 0, {1000, 2000, 3000, 4000, 5000}},
                      Case{"sqrt(c0^2 + y0^2) / sr2", 0, {1, 2, 3, 4, 5}},
                      Case{"c0 + x + pi - pi", 0, {1, 3, 5, 7, 9}},
                      // Curve 2 interpolated at 0, 1, ... 4 of curve 0.
                      Case{"c0 + c2", 0, {1, 102, 203, 304, 405}},
                      // Curve 0 interpolated at curve 2's x: outside its range, gaps.
                      Case{"c2 + c0", 2, {kNaN, 1, 203, 405, kNaN}},
                      Case{"c3 - c0", 3, {5, 5}}, Case{"c0 - c3", 0, {kNaN, -5, -5, -5, kNaN}},
                      // No curve named: the x of the caller's curve.
                      Case{"2 * x", 0, {0, 2, 4, 6, 8}}));

TEST(CurveExpressionErrorTest, NamesTheCurvesOnceInTheOrderOfFirstUse)
{
    const CurveExpression expression("c3 + y1 * c3 - c1 + c10");
    EXPECT_EQ(expression.curves(), (std::vector<int>{3, 1, 10}));
}

struct Refusal {
    const char* expression;
    const char* message;
};

void PrintTo(const Refusal& r, std::ostream* out) { *out << r.expression; }

class CurveExpressionRefusalTest : public ::testing::TestWithParam<Refusal>
{
};

// Refused when compiled or, for curves that are not there, when evaluated; with what to mend.
TEST_P(CurveExpressionRefusalTest, SaysWhatIsWrong)
{
    const Refusal r = GetParam();
    try {
        CurveExpression(r.expression).evaluate(lookup, 0);
        FAIL() << r.expression;
    } catch (const std::invalid_argument& error) {
        EXPECT_EQ(std::string(error.what()), r.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, CurveExpressionRefusalTest,
    ::testing::Values(Refusal{"c0 - c7", "There is no curve 7 for \"c0 - c7\"."},
                      Refusal{"c0 * gain", "The expression \"c0 * gain\" names gain, which is no curve, constant or "
                                           "function: curve N is cN or yN."},
                      Refusal{"c01", "The expression \"c01\" names c01, which is no curve, constant or function: "
                                     "curve N is cN or yN."},
                      Refusal{"c0 + c4", "Curve 4 has to be interpolated for \"c0 + c4\". Its x decreases at point 2, "
                                         "so it cannot be interpolated."}));

TEST(CurveExpressionErrorTest, AParseErrorSaysItDoesNotParse)
{
    try {
        CurveExpression("c0 - (c1");
        FAIL();
    } catch (const std::invalid_argument& error) {
        EXPECT_EQ(std::string(error.what()).rfind("The expression \"c0 - (c1\" does not parse: ", 0), 0u) << error.what();
    }
}

} // namespace
