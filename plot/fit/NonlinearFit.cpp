#include "NonlinearFit.h"

#include "FitCancelled.h"
#include "FitData.h"
#include "FitError.h"
#include "FitModel.h"
#include "FitProblem.h"
#include "GslErrors.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_multifit_nlinear.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// Tight enough that the solution holds all the digits the data carry: the iteration ends
// when a step moves no parameter by more than this part of itself, or the gradient is as
// small relative to the residuals.
constexpr double kStepTolerance = 1e-14;
constexpr double kGradientTolerance = 1e-14;

// A residual that is not finite at a trial point makes that step the worst possible, so the
// trust region shrinks and the solver tries a shorter step instead of stopping.
constexpr double kRefusedResidual = 1e150;

struct WorkspaceFree {
    void operator()(gsl_multifit_nlinear_workspace* w) const { gsl_multifit_nlinear_free(w); }
};

struct MatrixFree {
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};

// What the callbacks share. They run inside GSL, so they keep an exception for the fit to
// throw once GSL has returned, and report a value that is not finite as a flag.
struct Callbacks {
    explicit Callbacks(FitProblem& fitProblem)
        : problem(fitProblem)
        , parameters(fitProblem.parameterCount())
    {
    }

    FitProblem& problem;
    std::vector<double> parameters;
    bool jacobianFailed = false;
    std::exception_ptr exception;

    const double* copy(const gsl_vector* p)
    {
        for (std::size_t j = 0; j < parameters.size(); ++j)
            parameters[j] = gsl_vector_get(p, j);
        return parameters.data();
    }
};

int residualsOf(const gsl_vector* p, void* context, gsl_vector* f)
{
    auto& c = *static_cast<Callbacks*>(context);
    if (f->stride != 1)
        return GSL_EBADLEN;
    try {
        if (!c.problem.residuals(c.copy(p), f->data)) {
            for (std::size_t i = 0; i < f->size; ++i) {
                if (!std::isfinite(f->data[i]))
                    f->data[i] = kRefusedResidual;
            }
        }
    } catch (...) {
        c.exception = std::current_exception();
        return GSL_EFAILED;
    }
    return GSL_SUCCESS;
}

int jacobianOf(const gsl_vector* p, void* context, gsl_matrix* jacobian)
{
    auto& c = *static_cast<Callbacks*>(context);
    try {
        if (!c.problem.jacobian(c.copy(p), jacobian->data, jacobian->tda)) {
            c.jacobianFailed = true;
            return GSL_EDOM;
        }
    } catch (...) {
        c.exception = std::current_exception();
        return GSL_EFAILED;
    }
    return GSL_SUCCESS;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// The Jacobian needs the model at parameters a little beside the current ones.
[[noreturn]] void notFiniteNear(double x)
{
    throw FitError("The model is not finite at x = " + number(x) +
                   " for parameters next to those the fit reached.");
}

// GSL's iterations from the start values, as its driver runs them, except that a failure
// inside the callbacks ends them at once: the driver would only look at the convergence test
// and go on trying steps until its iterations ran out. The iterations taken, and in info why
// they stopped.
std::size_t drive(gsl_multifit_nlinear_workspace* workspace, gsl_multifit_nlinear_fdf& fdf,
                  const std::vector<double>& start, const FitData& data, std::size_t maxIterations,
                  const NonlinearFit::Progress& progress, int& info)
{
    auto& callbacks = *static_cast<Callbacks*>(fdf.params);
    const gsl_vector_const_view x0 = gsl_vector_const_view_array(start.data(), start.size());
    const gsl_vector_const_view weights = gsl_vector_const_view_array(data.weights().data(), data.size());
    int status = gsl_multifit_nlinear_winit(&x0.vector, data.weighted() ? &weights.vector : nullptr,
                                            &fdf, workspace);
    std::size_t iterations = 0;
    bool stopped = false;
    bool converged = false;
    while (status == GSL_SUCCESS && !converged) {
        status = gsl_multifit_nlinear_iterate(workspace);
        if (callbacks.exception || callbacks.jacobianFailed)
            break;
        // No step from the start lowers the residuals: more iterations will not find one.
        if (status == GSL_ENOPROG && iterations == 0) {
            info = GSL_ENOPROG;
            status = GSL_EMAXITER;
            break;
        }
        ++iterations;
        if (progress && !progress(iterations)) {
            stopped = true;
            break;
        }
        status = gsl_multifit_nlinear_test(kStepTolerance, kGradientTolerance, 0.0, &info, workspace);
        // Converged as far as machine precision allows: as good as the test's own success.
        if (status == GSL_ETOLF || status == GSL_ETOLX || status == GSL_ETOLG) {
            info = status;
            status = GSL_SUCCESS;
        }
        converged = status == GSL_SUCCESS;
        if (status == GSL_CONTINUE)
            status = iterations < maxIterations ? GSL_SUCCESS : GSL_EMAXITER;
    }
    if (callbacks.exception)
        std::rethrow_exception(callbacks.exception);
    if (stopped)
        throw FitCancelled();
    if (status == GSL_ENOMEM)
        throw std::bad_alloc();
    if (callbacks.jacobianFailed)
        notFiniteNear(callbacks.problem.failedX());
    if (status == GSL_EMAXITER && info == GSL_ENOPROG)
        throw FitError("The fit makes no progress from the start values.");
    if (status == GSL_EMAXITER)
        throw FitError("The fit did not converge within " + std::to_string(maxIterations) + " iterations.");
    if (status != GSL_SUCCESS)
        throw FitError(std::string("The fit failed: ") + gsl_strerror(status) + ".");
    return iterations;
}

std::string stopReasonOf(int info)
{
    return info == 1 ? "the last step changed no parameter noticeably"
                     : "the gradient of the residuals vanished";
}

std::vector<double> valuesOf(const gsl_vector* vector)
{
    std::vector<double> values(vector->size);
    for (std::size_t j = 0; j < values.size(); ++j)
        values[j] = gsl_vector_get(vector, j);
    return values;
}

// The diagonal of (J^T W J)^-1 at the solution, from an extrapolated Jacobian written over
// the solver's own, which it no longer needs.
std::vector<double> unscaledVariances(gsl_multifit_nlinear_workspace* workspace, FitProblem& problem,
                                      const FitData& data, const std::vector<double>& solution)
{
    gsl_matrix* jacobian = gsl_multifit_nlinear_jac(workspace);
    if (!problem.jacobian(solution.data(), jacobian->data, jacobian->tda,
                          FitProblem::Differences::extrapolated))
        notFiniteNear(problem.failedX());
    if (data.weighted()) {
        for (std::size_t i = 0; i < data.size(); ++i) {
            gsl_vector_view row = gsl_matrix_row(jacobian, i);
            gsl_vector_scale(&row.vector, std::sqrt(data.weights()[i]));
        }
    }
    const std::size_t p = solution.size();
    std::unique_ptr<gsl_matrix, MatrixFree> covariance(gsl_matrix_alloc(p, p));
    if (!covariance)
        throw std::bad_alloc();
    gsl_multifit_nlinear_covar(jacobian, 0.0, covariance.get());
    std::vector<double> variances(p);
    for (std::size_t j = 0; j < p; ++j)
        variances[j] = gsl_matrix_get(covariance.get(), j, j);
    return variances;
}

} // namespace

NonlinearFit::NonlinearFit(FitModel& model, const FitData& data)
    : model_(model)
    , data_(data)
{
}

FitResult NonlinearFit::solve(const std::vector<double>& start)
{
    const std::size_t n = data_.size();
    const std::size_t p = model_.parameterCount();
    if (start.size() != p)
        throw FitError("The fit needs one start value for each of the " + std::to_string(p) +
                       " parameters.");
    data_.requirePoints(p);

    FitProblem problem(model_, data_);
    std::vector<double> values(n);
    if (!problem.residuals(start.data(), values.data()))
        throw FitError("The model is not finite at x = " + number(problem.failedX()) +
                       " with the start values.");

    silenceGslErrors();
    gsl_multifit_nlinear_parameters parameters = gsl_multifit_nlinear_default_parameters();
    parameters.trs = gsl_multifit_nlinear_trs_lmaccel;
    std::unique_ptr<gsl_multifit_nlinear_workspace, WorkspaceFree> workspace(
        gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &parameters, n, p));
    if (!workspace)
        throw std::bad_alloc();
    Callbacks callbacks(problem);
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = residualsOf;
    fdf.df = jacobianOf;
    fdf.n = n;
    fdf.p = p;
    fdf.params = &callbacks;

    int info = 0;
    const std::size_t iterations = drive(workspace.get(), fdf, start, data_, maxIterations_, progress_, info);
    const std::vector<double> solution = valuesOf(gsl_multifit_nlinear_position(workspace.get()));

    FitResult result;
    result.model = model_.expression();
    result.iterations = iterations;
    result.stopReason = stopReasonOf(info);
    for (std::size_t j = 0; j < p; ++j)
        result.parameters.push_back({model_.parameterNames()[j], solution[j], 0.0});
    const std::vector<double> variances = unscaledVariances(workspace.get(), problem, data_, solution);
    model_.evaluate(solution.data(), data_.x().data(), n, values.data());
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(values[i]))
            throw FitError("The model is not finite at x = " + number(data_.x()[i]) +
                           " for the parameters the fit reached.");
    }
    result.complete(data_, std::move(values), variances);
    return result;
}
