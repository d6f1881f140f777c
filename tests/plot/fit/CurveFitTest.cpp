#include "BuiltinModel.h"
#include "CurveFit.h"
#include "FitCancelled.h"
#include "FitData.h"
#include "FitError.h"
#include "FitModel.h"
#include "NonlinearFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

const double pi = 3.141592653589793;

using Curve = std::function<double(double x, const std::vector<double>& p)>;

// n points from x0 to x1 with Gaussian noise of the given deviation, the same each run.
FitData generated(const Curve& curve, const std::vector<double>& p, double x0, double x1,
                  std::size_t n, double noise)
{
    std::mt19937 random(12345);
    std::normal_distribution<double> deviation(0.0, noise);
    std::vector<double> x(n);
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = x0 + (x1 - x0) * double(i) / double(n - 1);
        y[i] = curve(x[i], p) + deviation(random);
    }
    return FitData(x, y);
}

struct BuiltinRow {
    std::string name;
    std::vector<double> parameters;
    Curve curve;
    double x0;
    double x1;
};

TEST(CurveFitTest, EachBuiltinModelFindsTheParametersOfItsData)
{
    const BuiltinRow rows[] = {
        {"line", {2.0, -0.5}, [](double x, auto& p) { return p[0] + p[1] * x; }, 0, 10},
        {"poly:3", {1.0, -2.0, 0.5, 0.1}, [](double x, auto& p) { return p[0] + x * (p[1] + x * (p[2] + x * p[3])); }, -3, 4},
        {"exp", {2.0, -0.7, 0.5}, [](double x, auto& p) { return p[0] * std::exp(p[1] * x) + p[2]; }, 0, 5},
        {"exp", {0.3, 0.9, -1.0}, [](double x, auto& p) { return p[0] * std::exp(p[1] * x) + p[2]; }, 1, 4},
        {"gauss", {3.0, 4.0, 0.8, 0.2}, [](double x, auto& p) { return p[0] * std::exp(-(x - p[1]) * (x - p[1]) / (2 * p[2] * p[2])) + p[3]; }, 0, 10},
        {"gauss", {-1.0, 6.5, 1.2, 2.0}, [](double x, auto& p) { return p[0] * std::exp(-(x - p[1]) * (x - p[1]) / (2 * p[2] * p[2])) + p[3]; }, 0, 10},
        {"lorentz", {2.0, 5.0, 0.6, -0.3}, [](double x, auto& p) { return p[0] / (1 + std::pow((x - p[1]) / p[2], 2)) + p[3]; }, 0, 10},
        {"sine", {1.5, 0.37, 0.8, 0.2}, [](double x, auto& p) { return p[0] * std::sin(2 * pi * p[1] * x + p[2]) + p[3]; }, 0, 20},
        {"power", {2.5, 1.7}, [](double x, auto& p) { return p[0] * std::pow(x, p[1]); }, 0.1, 10},
        {"logistic", {4.0, 1.5, 5.0, 1.0}, [](double x, auto& p) { return p[0] / (1 + std::exp(-p[1] * (x - p[2]))) + p[3]; }, 0, 10},
        {"logistic", {2.0, -3.0, 2.0, -1.0}, [](double x, auto& p) { return p[0] / (1 + std::exp(-p[1] * (x - p[2]))) + p[3]; }, 0, 5},
    };
    for (const BuiltinRow& row : rows) {
        const FitData data = generated(row.curve, row.parameters, row.x0, row.x1, 400, 0.01);
        const FitResult result = CurveFit::fitBuiltin(row.name, data);
        ASSERT_EQ(result.parameters.size(), row.parameters.size()) << row.name;
        for (std::size_t j = 0; j < row.parameters.size(); ++j) {
            const FitParameter& found = result.parameters[j];
            // Five standard errors hold the truth, and the errors are small at this noise.
            EXPECT_NEAR(found.value, row.parameters[j], 5 * found.error) << row.name << " " << found.name;
            EXPECT_LT(found.error, 0.02 * std::fabs(row.parameters[j])) << row.name << " " << found.name;
        }
        EXPECT_EQ(result.model, BuiltinModel::named(row.name).expression());
        EXPECT_NEAR(result.residualSd, 0.01, 0.001) << row.name;
        EXPECT_EQ(result.dof, 400 - row.parameters.size());
        ASSERT_EQ(result.fitted.size(), 400u);
        EXPECT_EQ(result.residuals[7], data.y()[7] - result.fitted[7]);
    }
}

TEST(CurveFitTest, ThePolynomialAgreesWithTheGeneralSolver)
{
    const Curve cubic = [](double x, auto& p) { return p[0] + x * (p[1] + x * (p[2] + x * p[3])); };
    const FitData data = generated(cubic, {1.0, -2.0, 0.5, 0.1}, -3, 4, 50, 0.1);
    const FitResult linear = CurveFit::fitBuiltin("poly:3", data);
    const FitResult general = CurveFit::fitExpression("a0 + a1*x + a2*x^2 + a3*x^3", data);
    EXPECT_NEAR(linear.rss, general.rss, 1e-12 * general.rss);
    for (std::size_t j = 0; j < 4; ++j) {
        EXPECT_NEAR(linear.parameters[j].value, general.parameters[j].value, 1e-9) << j;
        EXPECT_NEAR(linear.parameters[j].error, general.parameters[j].error, 1e-7 * general.parameters[j].error) << j;
    }
    EXPECT_EQ(linear.iterations, 0u);
    EXPECT_GT(general.iterations, 0u);
}

TEST(CurveFitTest, ThePolynomialKeepsItsDigitsFarFromZero)
{
    // Over x from 1000 to 1001 the powers of x share all but their last digits; centred
    // and scaled they do not. The cubic (x - 1000.25)(x - 1000.5)(x - 1000.75), exact at
    // these x, comes back to within rounding of its coefficients.
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i <= 40; ++i) {
        x.push_back(1000 + i / 40.0);
        y.push_back((x.back() - 1000.25) * (x.back() - 1000.5) * (x.back() - 1000.75));
    }
    const FitResult result = CurveFit::fitBuiltin("poly:3", FitData(x, y));
    const double truth[] = {-1000.25 * 1000.5 * 1000.75, 1000.25 * 1000.5 + 1000.25 * 1000.75 + 1000.5 * 1000.75,
                            -(1000.25 + 1000.5 + 1000.75), 1.0};
    for (std::size_t j = 0; j < 4; ++j)
        EXPECT_NEAR(result.parameters[j].value, truth[j], 1e-9 * std::fabs(truth[j])) << j;
    EXPECT_LT(result.rss, 1e-20);
}

TEST(CurveFitTest, WeightsLetPreciseCertainPointsDecide)
{
    // A line through four points, and a fifth far off it whose weight all but removes it.
    const std::vector<double> x{0, 1, 2, 3, 4};
    const std::vector<double> y{1, 3, 5, 7, 100};
    const FitResult weighted = CurveFit::fitExpression("a + b*x", FitData(x, y, {1, 1, 1, 1, 1e-12}));
    EXPECT_NEAR(weighted.parameters[0].value, 1.0, 1e-9);
    EXPECT_NEAR(weighted.parameters[1].value, 2.0, 1e-9);
    const FitResult plain = CurveFit::fitExpression("a + b*x", FitData(x, y));
    EXPECT_GT(plain.parameters[1].value, 10.0);
    // Weighted and unweighted polynomials agree with the general solver.
    const FitResult line = CurveFit::fitBuiltin("line", FitData(x, y, {4, 1, 2, 1, 0.5}));
    const FitResult general = CurveFit::fitExpression("a0 + a1*x", FitData(x, y, {4, 1, 2, 1, 0.5}));
    for (std::size_t j = 0; j < 2; ++j) {
        EXPECT_NEAR(line.parameters[j].value, general.parameters[j].value, 1e-9);
        EXPECT_NEAR(line.parameters[j].error, general.parameters[j].error, 1e-7);
    }
    EXPECT_NEAR(line.rSquared, general.rSquared, 1e-12);
}

TEST(CurveFitTest, StartValuesComeByNameAndDefaultToOne)
{
    // Between x = 0 and 1, cos(w*x) for w = 20 has neighbours in w that fit better than
    // anything near 1: a start of 19 finds 20, the default start of 1 does not.
    const FitData data = generated([](double x, auto& p) { return std::cos(p[0] * x); }, {20.0}, 0, 1, 200, 0.0);
    EXPECT_NEAR(CurveFit::fitExpression("cos(w*x)", data, {{"w", 19}, {"unused", 5}}).parameters[0].value, 20.0, 1e-9);
    EXPECT_GT(std::fabs(CurveFit::fitExpression("cos(w*x)", data).parameters[0].value - 20.0), 1.0);
}

TEST(CurveFitTest, FiguresWithoutAMeaningAreNaN)
{
    // As many points as parameters: an exact fit without degrees of freedom, so no residual
    // variance and no standard errors.
    const FitResult exact = CurveFit::fitBuiltin("line", FitData({1, 3}, {2, 6}));
    EXPECT_EQ(exact.dof, 0u);
    EXPECT_NEAR(exact.parameters[1].value, 2.0, 1e-12);
    EXPECT_TRUE(std::isnan(exact.residualSd));
    EXPECT_TRUE(std::isnan(exact.parameters[0].error));
    EXPECT_EQ(exact.rSquared, 1.0);
    // All y equal leave nothing for the model to explain.
    const FitResult flat = CurveFit::fitExpression("a", FitData({1, 2, 3}, {5, 5, 5}));
    EXPECT_NEAR(flat.parameters[0].value, 5.0, 1e-12);
    EXPECT_TRUE(std::isnan(flat.rSquared));
    EXPECT_EQ(flat.skipped, 0u);
}

TEST(CurveFitTest, TheProgressHearsOfEveryIterationAndMayStopTheFit)
{
    const FitData data = generated([](double x, auto& p) { return p[0] * std::exp(p[1] * x) + p[2]; }, {2.0, -0.7, 0.5},
                                   0, 5, 100, 0.01);
    std::vector<std::size_t> heard;
    const FitResult result = CurveFit::fitBuiltin("exp", data, [&](std::size_t done) {
        heard.push_back(done);
        return true;
    });
    ASSERT_EQ(heard.size(), result.iterations);
    EXPECT_EQ(heard.front(), 1u);
    EXPECT_EQ(heard.back(), result.iterations);
    heard.clear();
    EXPECT_THROW(CurveFit::fitExpression("a*exp(b*x)+c", data, {}, [&](std::size_t done) {
                     heard.push_back(done);
                     return done < 2;
                 }),
                 FitCancelled);
    EXPECT_EQ(heard.size(), 2u);
}

struct ErrorRow {
    std::function<void()> fit;
    std::string message;
};

TEST(CurveFitTest, FailuresAreFitErrorsWithAMessage)
{
    const FitData three({1, 2, 3}, {1, 4, 9});
    const FitData lineData({0, 1, 2, 3}, {0, 1, 2, 3});
    const ErrorRow rows[] = {
        {[&] { CurveFit::fitExpression("a*(x", three); }, "does not parse"},
        {[&] { CurveFit::fitExpression("a+b*x+c*x^2+d*x^3", three); }, "3 points for 4 parameters"},
        {[&] { CurveFit::fitBuiltin("gauss", three); }, "3 points for 4 parameters"},
        {[&] { CurveFit::fitBuiltin("poly:3", three); }, "needs at least 4 different x values"},
        {[&] { CurveFit::fitBuiltin("poly:2", FitData({1, 1, 1, 2}, {1, 2, 3, 4})); }, "needs at least 3 different x values"},
        {[&] { CurveFit::fitBuiltin("poly:11", three); }, "poly:N with N from 1 to 10"},
        {[&] { CurveFit::fitBuiltin("poly:0", three); }, "poly:N with N from 1 to 10"},
        {[&] { CurveFit::fitBuiltin("poly:x", three); }, "poly:N with N from 1 to 10"},
        {[&] { CurveFit::fitBuiltin("spline", three); }, "is no built-in model"},
        {[&] { CurveFit::fitExpression("sqrt(x-a)", lineData, {{"a", 2}}); }, "not finite at x = 0 with the start values"},
        {[&] { CurveFit::fitBuiltin("power", FitData({-1, 1, 2}, {1, 1, 3})); }, "not finite at x = -1 with the start values"},
        {[&] { CurveFit::fitExpression("x^a", FitData({-1, 1, 2}, {1, 1, 3}), {{"a", 2}}); },
         "not finite at x = -1 for parameters next to those the fit reached"},
        {[&] {
             FitModel model("a*exp(b*x)");
             const FitData data({0, 1, 2, 3, 4}, {1, 3, 2, 5, 4});
             NonlinearFit fit(model, data);
             fit.setMaxIterations(2);
             fit.solve({1, 1});
         },
         "did not converge within 2 iterations"},
    };
    for (const ErrorRow& row : rows) {
        try {
            row.fit();
            ADD_FAILURE() << "no error for: " << row.message;
        } catch (const FitError& error) {
            EXPECT_NE(std::string(error.what()).find(row.message), std::string::npos) << error.what();
        }
    }
}

TEST(CurveFitTest, ATrialStepIntoWhereTheModelIsNotFiniteIsRefusedNotFatal)
{
    // sqrt(x - a) is finite only for a <= 0.5; the data ask for a = 0.45, and steps from
    // a = -3 overshoot past 0.5 on the way.
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i < 20; ++i) {
        x.push_back(0.5 + 0.25 * i);
        y.push_back(std::sqrt(x.back() - 0.45));
    }
    const FitResult result = CurveFit::fitExpression("sqrt(x - a)", FitData(x, y), {{"a", -3}});
    EXPECT_NEAR(result.parameters[0].value, 0.45, 1e-9);
}

} // namespace
