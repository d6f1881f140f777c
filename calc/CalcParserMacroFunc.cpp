#include "CalcParserMacroFunc.h"

#include "CalcCompilerI.h"
#include "CalcMacroCompileGuard.h"
#include "CalcNan.h"
#include "CalcParser.h"
#include "CalcRegistrarI.h"

#include <algorithm>

CalcMacroFct::CalcMacroFct(std::string prototype, std::string body, std::string description)
    : description_(std::move(description))
    , body_(std::move(body))
    , prototype_(std::move(prototype))
{
}

CalcMacroFct::~CalcMacroFct() = default;

void CalcMacroFct::compile(const CalcCompilerI& compiler, const CalcRegistrarI& registrar)
{
    engine_.reset();
    argValues_.reset();
    compiled_ = false;
    if (!prototypeParsed_) {
        parts_ = CalcMacroPrototype::parse(prototype_, registrar.syntax());
        argCount_ = static_cast<std::int32_t>(parts_.argNames().size());
        prototypeParsed_ = true;
    }
    const CalcMacroCompileGuard guard(parts_.name(), argCount_, false);
    compileBody(compiler, registrar);
}

void CalcMacroFct::compileBody(const CalcCompilerI& compiler, const CalcRegistrarI& registrar)
{
    auto engine = std::make_unique<CalcParser>(compiler, registrar);
    engine->enableAutoVarDefinition(false);
    engine->undefineAllVars();
    std::unique_ptr<double[]> values;
    if (argCount_ > 0)
        values = std::make_unique<double[]>(static_cast<std::size_t>(argCount_));
    for (std::int32_t i = 0; i < argCount_; ++i)
        engine->defineVar(parts_.argNames()[static_cast<std::size_t>(i)], &values[static_cast<std::size_t>(i)]);
    helpText_ = parts_.helpText(registrar.syntax().argSeparator);
    engine->compile(body_);

    engine_ = std::move(engine);
    argValues_ = std::move(values);
    compiled_ = true;
}

double CalcMacroFct::evaluate(std::int32_t argCount, const double* args)
{
    if (!engine_)
        return calcNan();
    std::copy_n(args, std::clamp(argCount, 0, argCount_), argValues_.get());
    return engine_->evaluate();
}

void CalcMacroFct::prepare(CalcCompilerI& compiler, CalcRegistrarI& registrar)
{
    if (compiled_)
        return;
    // A copy reached again while it compiles would call itself without end.
    if (CalcMacroCompileGuard::isCompiling(parts_.name(), argCount_))
        compiler.raise("CALCPARSINGEXCEP_UndefinedFunc", compiler.position(), parts_.name());
    const CalcMacroCompileGuard guard(parts_.name(), argCount_, true);
    compileBody(compiler, registrar);
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
