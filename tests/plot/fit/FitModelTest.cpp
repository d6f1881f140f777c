#include "FitError.h"
#include "FitModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct DiscoveryRow {
    std::string expression;
    std::vector<std::string> parameters;
};

TEST(FitModelTest, EveryNameThatIsNeitherXNorAConstantNorAFunctionIsAParameter)
{
    const DiscoveryRow rows[] = {
        {"a*exp(-b*x)+c", {"a", "b", "c"}},
        // In the order of first use, each once.
        {"c*x + a*x^2 + b + c", {"c", "a", "b"}},
        // pi, e and gamma are constants; gamma( is the function.
        {"amp*sin(2*pi*f*x) + e^k + gamma + gamma(x+s)", {"amp", "f", "k", "s"}},
        {"x0 + width*erf(x)", {"x0", "width"}},
        // A model may ignore x: the fit of a constant is the mean.
        {"level", {"level"}},
    };
    for (const DiscoveryRow& row : rows)
        EXPECT_EQ(FitModel(row.expression).parameterNames(), row.parameters) << row.expression;
}

TEST(FitModelTest, EvaluatesAtEachXWithTheParametersOfEachCall)
{
    FitModel model("a*x^2 + b");
    const double x[] = {0.0, 2.0, -0.5};
    const struct {
        double parameters[2];
        double values[3];
    } rows[] = {
        {{3.0, -1.0}, {-1.0, 11.0, -0.25}},
        {{0.5, 2.0}, {2.0, 4.0, 2.125}},
        // The same values again after others, and a change in the last parameter only.
        {{3.0, -1.0}, {-1.0, 11.0, -0.25}},
        {{3.0, 1.0}, {1.0, 13.0, 1.75}},
    };
    for (const auto& row : rows) {
        double values[3] = {};
        model.evaluate(row.parameters, x, 3, values);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(values[i], row.values[i]) << row.parameters[0] << " " << row.parameters[1] << " at " << x[i];
    }
    EXPECT_EQ(model.parameterNames(), (std::vector<std::string>{"a", "b"}));
}

TEST(FitModelTest, RefusesWhatDoesNotParseAndModelsWithoutParameters)
{
    for (const char* expression : {"a*(x", "a*foo(x)", "a +* x", "", "x^2 + pi", "sin(x)"}) {
        try {
            FitModel model(expression);
            ADD_FAILURE() << expression << " was accepted";
        } catch (const FitError& error) {
            EXPECT_NE(std::string(error.what()).find(expression), std::string::npos) << error.what();
        }
    }
}

} // namespace
