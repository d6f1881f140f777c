#pragma once

#include "FitResult.h"

#include <string>

class FitData;

// Least squares for a0 + a1*x + ... + aN*x^N, a linear problem solved in one step by GSL's
// singular value decomposition (gsl_multifit_wlinear), never by the normal equations, which
// square the condition number. The columns are powers of x centred and scaled to [-1, 1],
// so a tenth degree over x from 1000 to 1001 keeps its digits; coefficients and covariance
// are then carried back to x.
class PolynomialFit {
public:
    static constexpr int maxDegree = 10;

    // Throws FitError for a degree outside 1 ... maxDegree.
    explicit PolynomialFit(int degree);

    // "a0 + a1*x + a2*x^2" for degree 2.
    std::string expression() const;

    // Throws FitError when the data hold fewer different x values than the polynomial has
    // coefficients; may throw std::bad_alloc.
    FitResult solve(const FitData& data) const;

private:
    int degree_;
};
