// The certified problems of the NIST Statistical Reference Datasets, Nonlinear Regression
// (files in nist/, see nist/README): each is fitted from both of its starts, and parameters,
// standard errors and the residual sum of squares must match the certified values.
#include "FitData.h"
#include "FitModel.h"
#include "FitResult.h"
#include "NonlinearFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CertifiedParameter {
    double start1 = 0.0;
    double start2 = 0.0;
    double value = 0.0;
    double error = 0.0;
};

struct NistProblem {
    std::vector<CertifiedParameter> parameters;
    double rss = 0.0;
    std::vector<double> x;
    std::vector<double> y;
};

std::vector<std::string> wordsOf(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// "  b1 =   1   1.5   1.5543827178E+00  1.5408051163E-02": both starts, the value, its error.
bool isParameterLine(const std::vector<std::string>& w)
{
    return w.size() == 6 && w[0].size() > 1 && w[0][0] == 'b' && w[1] == "=";
}

NistProblem read(const std::string& name)
{
    std::ifstream file(std::string(KURVO_NIST_DIR) + "/" + name);
    const std::string rssLabel = "Residual Sum of Squares:";
    NistProblem problem;
    bool inData = false;
    for (std::string line; std::getline(file, line);) {
        const std::vector<std::string> w = wordsOf(line);
        if (inData && w.size() == 2) {
            problem.y.push_back(std::stod(w[0]));
            problem.x.push_back(std::stod(w[1]));
        } else if (isParameterLine(w)) {
            problem.parameters.push_back({std::stod(w[2]), std::stod(w[3]), std::stod(w[4]), std::stod(w[5])});
        } else if (line.rfind(rssLabel, 0) == 0) {
            problem.rss = std::stod(line.substr(rssLabel.size()));
        } else if (w == std::vector<std::string>{"Data:", "y", "x"}) {
            inData = true;
        }
    }
    return problem;
}

// The number of significant digits two values share: the log relative error.
double digits(double value, double certified)
{
    const double relative = std::fabs(value - certified) / std::fabs(certified);
    return relative == 0.0 ? 17.0 : -std::log10(relative);
}

struct NistRow {
    const char* file;
    const char* model;
    std::size_t points;
};

class NistStrdTest : public ::testing::TestWithParam<NistRow> {};

// The brief of every fitter is six digits; this one reaches more than seven on all three.
constexpr double kDigits = 7.0;

TEST_P(NistStrdTest, BothStartsReachTheCertifiedValues)
{
    const NistRow& row = GetParam();
    const NistProblem problem = read(row.file);
    ASSERT_EQ(problem.x.size(), row.points);
    ASSERT_GT(problem.rss, 0.0);
    FitData data(problem.x, problem.y);
    FitModel model(row.model);
    ASSERT_EQ(model.parameterCount(), problem.parameters.size());
    for (int start = 1; start <= 2; ++start) {
        std::vector<double> values;
        for (const CertifiedParameter& parameter : problem.parameters)
            values.push_back(start == 1 ? parameter.start1 : parameter.start2);
        const FitResult result = NonlinearFit(model, data).solve(values);
        for (std::size_t j = 0; j < values.size(); ++j) {
            const CertifiedParameter& certified = problem.parameters[j];
            EXPECT_GE(digits(result.parameters[j].value, certified.value), kDigits)
                << row.file << " start " << start << " " << result.parameters[j].name << " = "
                << result.parameters[j].value;
            EXPECT_GE(digits(result.parameters[j].error, certified.error), kDigits)
                << row.file << " start " << start << " error of " << result.parameters[j].name
                << " = " << result.parameters[j].error;
        }
        EXPECT_GE(digits(result.rss, problem.rss), kDigits) << row.file << " start " << start;
        EXPECT_EQ(result.dof, row.points - values.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Certified, NistStrdTest,
    ::testing::Values(NistRow{"Misra1a.dat", "b1*(1-exp(-b2*x))", 14},
                      NistRow{"Thurber.dat", "(b1 + b2*x + b3*x^2 + b4*x^3) / (1 + b5*x + b6*x^2 + b7*x^3)", 37},
                      NistRow{"Eckerle4.dat", "(b1/b2) * exp(-0.5*((x-b3)/b2)^2)", 35}));

} // namespace
