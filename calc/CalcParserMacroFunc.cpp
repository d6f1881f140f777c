#include "CalcParserMacroFunc.h"

#include "CalcCompilerI.h"
#include "CalcError.h"
#include "CalcMacroBody.h"
#include "CalcMacroCompileGuard.h"
#include "CalcNan.h"
#include "CalcRegistrarI.h"

CalcMacroFct::CalcMacroFct(std::string prototype, std::string body, std::string description)
    : description_(std::move(description))
    , body_(std::move(body))
    , prototype_(std::move(prototype))
{
}

CalcMacroFct::~CalcMacroFct() = default;

std::uint64_t CalcMacroFct::steps() const
{
    return compiledBody_ ? compiledBody_->steps() : 0;
}

void CalcMacroFct::compile(CalcRegistrarI& registrar)
{
    compiledBody_.reset();
    if (!prototypeParsed_) {
        parts_ = CalcMacroPrototype::parse(prototype_, registrar.syntax());
        argCount_ = static_cast<std::int32_t>(parts_.argNames().size());
        prototypeParsed_ = true;
    }
    const CalcMacroCompileGuard guard(parts_.name(), argCount_, false);
    compileBody(registrar);
}

void CalcMacroFct::compileBody(CalcRegistrarI& registrar)
{
    auto compiled = std::make_unique<CalcMacroBody>(registrar, parts_.argNames(), body_);
    if (compiled->steps() > maxStepsPerEvaluation)
        CalcError::raise(__LINE__, "CalcParserMacroFunc",
                         CalcExcepData("CALCDEFEXCEP_MacroTooCostly",
                                       {{"itemName", parts_.name()},
                                        {"param1", std::to_string(maxStepsPerEvaluation)}}));
    helpText_ = parts_.helpText(registrar.syntax().argSeparator);
    compiledBody_ = std::move(compiled);
}

double CalcMacroFct::evaluate(std::int32_t argCount, const double* args)
{
    return compiledBody_ ? compiledBody_->evaluate(argCount, args) : calcNan();
}

void CalcMacroFct::prepare(CalcCompilerI& compiler, CalcRegistrarI& registrar)
{
    if (compiledBody_)
        return;
    // A copy reached again while it compiles would call itself without end.
    if (CalcMacroCompileGuard::isCompiling(parts_.name(), argCount_))
        compiler.raise("CALCPARSINGEXCEP_UndefinedFunc", compiler.position(), parts_.name());
    const CalcMacroCompileGuard guard(parts_.name(), argCount_, true);
    compileBody(registrar);
}

std::unique_ptr<CalcFunctionI> CalcMacroFct::spawn() const
{
    auto copy = std::make_unique<CalcMacroFct>(prototype_, body_, description_);
    copy->helpText_ = helpText_;
    copy->parts_ = parts_;
    copy->prototypeParsed_ = prototypeParsed_;
    copy->argCount_ = argCount_;
    return copy;
}
