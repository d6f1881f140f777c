#include "PolynomialFit.h"

#include "FitData.h"
#include "FitError.h"
#include "GslErrors.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_multifit.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

namespace {

struct LinearFree {
    void operator()(gsl_multifit_linear_workspace* w) const { gsl_multifit_linear_free(w); }
};

struct MatrixFree {
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};

struct VectorFree {
    void operator()(gsl_vector* v) const { gsl_vector_free(v); }
};

template <class T, class Free>
std::unique_ptr<T, Free> held(T* made)
{
    if (!made)
        throw std::bad_alloc();
    return std::unique_ptr<T, Free>(made);
}

std::size_t distinctValues(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return std::size_t(std::unique(values.begin(), values.end()) - values.begin());
}

// to[j][k]: the coefficient of x^j in ((x - centre) / scale)^k, by the binomial theorem.
std::vector<std::vector<double>> backToX(std::size_t count, double centre, double scale)
{
    std::vector<std::vector<double>> to(count, std::vector<double>(count, 0.0));
    for (std::size_t k = 0; k < count; ++k) {
        double binomial = 1.0;
        for (std::size_t j = k + 1; j-- > 0;) {
            to[j][k] = binomial * std::pow(-centre, double(k - j)) / std::pow(scale, double(k));
            binomial = binomial * double(j) / double(k - j + 1);
        }
    }
    return to;
}

} // namespace

PolynomialFit::PolynomialFit(int degree)
    : degree_(degree)
{
    if (degree < 1 || degree > maxDegree)
        throw FitError("A polynomial fit takes a degree from 1 to " + std::to_string(maxDegree) + ".");
}

std::string PolynomialFit::expression() const
{
    std::string text = "a0 + a1*x";
    for (int k = 2; k <= degree_; ++k)
        text += " + a" + std::to_string(k) + "*x^" + std::to_string(k);
    return text;
}

FitResult PolynomialFit::solve(const FitData& data) const
{
    const std::size_t n = data.size();
    const std::size_t p = std::size_t(degree_) + 1;
    if (distinctValues(data.x()) < p)
        throw FitError("A polynomial of degree " + std::to_string(degree_) + " needs at least " +
                       std::to_string(p) + " different x values.");
    const auto [low, high] = std::minmax_element(data.x().begin(), data.x().end());
    const double centre = 0.5 * (*low + *high);
    const double scale = 0.5 * (*high - *low);

    silenceGslErrors();
    auto design = held<gsl_matrix, MatrixFree>(gsl_matrix_alloc(n, p));
    auto y = held<gsl_vector, VectorFree>(gsl_vector_alloc(n));
    auto weights = held<gsl_vector, VectorFree>(gsl_vector_alloc(n));
    auto coefficients = held<gsl_vector, VectorFree>(gsl_vector_alloc(p));
    auto covariance = held<gsl_matrix, MatrixFree>(gsl_matrix_alloc(p, p));
    auto workspace = held<gsl_multifit_linear_workspace, LinearFree>(gsl_multifit_linear_alloc(n, p));
    for (std::size_t i = 0; i < n; ++i) {
        const double t = (data.x()[i] - centre) / scale;
        double power = 1.0;
        for (std::size_t k = 0; k < p; ++k, power *= t)
            gsl_matrix_set(design.get(), i, k, power);
        gsl_vector_set(y.get(), i, data.y()[i]);
        gsl_vector_set(weights.get(), i, data.weighted() ? data.weights()[i] : 1.0);
    }
    double chiSquare = 0.0;
    const int status = gsl_multifit_wlinear(design.get(), weights.get(), y.get(), coefficients.get(),
                                            covariance.get(), &chiSquare, workspace.get());
    if (status != GSL_SUCCESS)
        throw FitError(std::string("The polynomial fit failed: ") + gsl_strerror(status) + ".");

    FitResult result;
    result.model = expression();
    result.stopReason = "linear least squares, solved in one step";
    const std::vector<std::vector<double>> to = backToX(p, centre, scale);
    std::vector<double> variances(p, 0.0);
    for (std::size_t j = 0; j < p; ++j) {
        double value = 0.0;
        for (std::size_t k = j; k < p; ++k) {
            value += to[j][k] * gsl_vector_get(coefficients.get(), k);
            for (std::size_t l = j; l < p; ++l)
                variances[j] += to[j][k] * gsl_matrix_get(covariance.get(), k, l) * to[j][l];
        }
        result.parameters.push_back({"a" + std::to_string(j), value, 0.0});
    }
    // The fitted values from the centred form, where they are most accurate.
    std::vector<double> values(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = (data.x()[i] - centre) / scale;
        double sum = 0.0;
        for (std::size_t k = p; k-- > 0;)
            sum = sum * t + gsl_vector_get(coefficients.get(), k);
        values[i] = sum;
    }
    result.complete(data, std::move(values), variances);
    return result;
}
