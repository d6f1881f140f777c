#include "CalcBlockEvaluator.h"
#include "CalcParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

const double kInfinity = std::numeric_limits<double>::infinity();

// Values with every special case among them, then enough ordinary ones for several blocks.
std::vector<double> points(std::size_t count)
{
    std::vector<double> values{-3.5, -1, -0.0, 0, 1e-300, 0.5, 1, 2, 3.75, 10, NAN, kInfinity, -kInfinity};
    for (std::size_t i = values.size(); i < count; ++i)
        values.push_back(-7.0 + 0.013 * double(i));
    values.resize(count);
    return values;
}

class CalcBlockEvaluatorTest : public ::testing::Test
{
protected:
    CalcBlockEvaluatorTest()
    {
        engine.defineVar("x", &x);
        engine.defineVar("y", &y);
    }

    // The engine's own results, point by point.
    std::vector<double> pointwise(const std::vector<double>& values)
    {
        std::vector<double> results;
        for (double value : values) {
            x = value;
            results.push_back(engine.evaluate());
        }
        return results;
    }

    std::vector<double> blockwise(const std::vector<double>& values)
    {
        std::vector<double> results(values.size(), 12345.0);
        CalcBlockEvaluator(engine, &x).evaluate(values.data(), values.size(), results.data());
        return results;
    }

    static bool sameBits(const std::vector<double>& a, const std::vector<double>& b)
    {
        // An empty vector's data() may be null, which memcmp must not be given.
        return a.size() == b.size() &&
               (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
    }

    CalcParser engine;
    double x = 0;
    double y = 0.25;
};

TEST_F(CalcBlockEvaluatorTest, EveryItemGivesTheEnginesResultToTheBit)
{
    const char* const expressions[] = {
        "x", "2*3+1", "x+1", "1-x", "x*x*x", "2/x", "x^2", "x^2.5", "2^x", "-x", "-x^2", "+x",
        "sin(x)+cos(x)*tan(x)", "sqrt(abs(x))", "if(x>0, x, -x)", "min(x, 1)", "max(x, 2, 3)", "sum(x, x, 1, 2)",
        "avg(x, 1)", "x%3", "log(x)/log10(x)", "floor(x)+ceil(x)+round(x)", "fact(3)*x", "atan(x)+asin(x/10)",
        "isNaN(x)+isFinite(x)", "(x-y)*y", "sinh(x/10)+cosh(x/10)-tanh(x)", "x>=1 & x<3 | !(x==2)",
    };
    const std::vector<double> values = points(600);
    for (const char* expression : expressions) {
        engine.compile(expression);
        EXPECT_TRUE(sameBits(blockwise(values), pointwise(values))) << expression;
    }
}

// The last block is cut short wherever the count ends.
TEST_F(CalcBlockEvaluatorTest, CountsAroundTheBlockLength)
{
    engine.compile("x*(x-1)/2");
    const std::size_t block = CalcBlockEvaluator::kBlock;
    for (std::size_t count : {std::size_t(0), std::size_t(1), block - 1, block, block + 1, 3 * block + 7}) {
        const std::vector<double> values = points(count);
        EXPECT_TRUE(sameBits(blockwise(values), pointwise(values))) << count;
    }
}

// Another variable holds one value for the whole call, read anew at each call.
TEST_F(CalcBlockEvaluatorTest, OtherVariablesAreReadAtEachCall)
{
    engine.compile("x + y");
    CalcBlockEvaluator evaluator(engine, &x);
    const std::vector<double> values{1, 2};
    std::vector<double> results(2);
    evaluator.evaluate(values.data(), 2, results.data());
    EXPECT_EQ(results, (std::vector<double>{1.25, 2.25}));
    y = 10;
    evaluator.evaluate(values.data(), 2, results.data());
    EXPECT_EQ(results, (std::vector<double>{11, 12}));
    EXPECT_EQ(x, 2);
}

// An item that may answer the same arguments differently is called point by point, in the
// engine's order.
TEST_F(CalcBlockEvaluatorTest, AProgramWithRandomNumbersRunsPointByPoint)
{
    engine.compile("x + 0*rand()");
    const std::vector<double> values = points(300);
    const std::vector<double> results = blockwise(values);
    for (std::size_t i = 13; i < values.size(); ++i)
        EXPECT_EQ(results[i], values[i]);
}

} // namespace
