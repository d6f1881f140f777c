#include "FitModel.h"

#include "CalcBlockEvaluator.h"
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
        // those are the parameters, which become constants once they have values.
        engine_->enableAutoVarDefinition(true);
        engine_->compile(expression);
        engine_->enableAutoVarDefinition(false);
        for (std::uint32_t i = 0; i < engine_->usedVarCount(); ++i) {
            if (engine_->usedVarName(i) != "x")
                names_.push_back(engine_->usedVarName(i));
        }
        for (const std::string& name : names_)
            engine_->undefineVar(name);
    } catch (const CalcError& error) {
        refuse(expression, error);
    }
    if (names_.empty())
        throw FitError("The model \"" + expression + "\" has no parameter to fit.");
}

FitModel::~FitModel() = default;

void FitModel::evaluate(const double* parameters, const double* x, std::size_t count, double* values)
{
    if (compiledFor_.empty() || !std::equal(compiledFor_.begin(), compiledFor_.end(), parameters))
        compileFor(parameters);
    blocks_->evaluate(x, count, values);
}

void FitModel::compileFor(const double* parameters)
{
    try {
        compiledFor_.clear();
        blocks_.reset();
        for (; definedConstants_ > 0; --definedConstants_)
            engine_->undefineConst(names_[definedConstants_ - 1]);
        for (; definedConstants_ < names_.size(); ++definedConstants_)
            engine_->defineConst(names_[definedConstants_], parameters[definedConstants_]);
        engine_->compile(expression_);
        blocks_ = std::make_unique<CalcBlockEvaluator>(*engine_, &x_);
        compiledFor_.assign(parameters, parameters + names_.size());
    } catch (const CalcError& error) {
        refuse(expression_, error);
    }
}
