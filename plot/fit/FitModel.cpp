#include "FitModel.h"

#include "CalcError.h"
#include "CalcParser.h"
#include "CalcScienceLibrary.h"
#include "FitError.h"

#include <algorithm>

namespace {

[[noreturn]] void refuse(const std::string& expression, const CalcError& error)
{
    throw FitError("The model \"" + expression + "\" does not parse: " + error.description(0));
}

} // namespace

FitModel::FitModel(const std::string& expression)
    : expression_(expression)
    , engine_(std::make_unique<CalcParser>())
{
    try {
        CalcScienceLibrary::defineConstants(*engine_);
        CalcScienceLibrary::defineFunctions(*engine_);
        engine_->defineVar("x", &x_);
        // Each name the engine does not know becomes a variable of its own while compiling;
        // those are the parameters, bound to our storage right after.
        engine_->enableAutoVarDefinition(true);
        engine_->compile(expression);
        engine_->enableAutoVarDefinition(false);
        for (std::uint32_t i = 0; i < engine_->usedVarCount(); ++i) {
            if (engine_->usedVarName(i) != "x")
                names_.push_back(engine_->usedVarName(i));
        }
        parameters_.assign(names_.size(), 0.0);
        for (std::size_t i = 0; i < names_.size(); ++i)
            engine_->redefineVar(names_[i], &parameters_[i]);
    } catch (const CalcError& error) {
        refuse(expression, error);
    }
    if (names_.empty())
        throw FitError("The model \"" + expression + "\" has no parameter to fit.");
}

FitModel::~FitModel() = default;

void FitModel::evaluate(const double* parameters, const double* x, std::size_t count, double* values)
{
    std::copy(parameters, parameters + names_.size(), parameters_.begin());
    for (std::size_t i = 0; i < count; ++i) {
        x_ = x[i];
        values[i] = engine_->evaluate();
    }
}
