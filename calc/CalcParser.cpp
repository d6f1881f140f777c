#include "CalcParser.h"

#include "CalcError.h"
#include "CalcFolderSearch.h"
#include "CalcFunctionI.h"
#include "CalcLibraryInfo.h"
#include "CalcNan.h"
#include "CalcOperatorI.h"
#include "CalcParserCompiler.h"
#include "CalcParserInfo.h"
#include "CalcParserMacroFunc.h"
#include "CalcParserRegistrar.h"
#include "MemVariableEvaluator.h"
#include "MemVariableFactory.h"
#include "library/CalcDefaultLibrary.h"

#include <cmath>

#include <langinfo.h>

namespace {
const char* const sourceUnit = "CalcParser";
}

CalcParser::CalcParser()
    : registrar_(std::make_unique<CalcParserRegistrar>())
    , compiler_(std::make_unique<CalcParserCompiler>(*registrar_))
{
    setSyntax(CalcSyntax{'.', ','});
    enableAutoVarDefinition(false);
    CalcDefaultLibrary::defineInto(*registrar_);
    refreshView();
}

CalcParser::CalcParser(const CalcParser& other)
{
    copyFrom(*other.compiler_, *other.registrar_);
    try {
        compile(other.expression());
    } catch (const CalcError&) {
        // The copy keeps the empty program, as after any failed compile.
    }
}

CalcParser::CalcParser(const CalcCompilerI& compiler, const CalcRegistrarI& registrar)
{
    copyFrom(compiler, registrar);
}

CalcParser::~CalcParser() = default;

void CalcParser::copyFrom(const CalcCompilerI& compiler, const CalcRegistrarI& registrar)
{
    // Copy before releasing: the sources may be this engine's own.
    std::unique_ptr<CalcRegistrarI> newRegistrar = registrar.clone();
    std::unique_ptr<CalcCompilerI> newCompiler = compiler.spawn(*newRegistrar);
    compiler_.reset();
    registrar_ = std::move(newRegistrar);
    compiler_ = std::move(newCompiler);
    refreshView();
}

// ---- variables ----

void CalcParser::defineVar(std::unique_ptr<CalcVariableI> variable)
{
    registrar_->addVariable(std::move(variable));
}

void CalcParser::redefineVar(std::unique_ptr<CalcVariableI> variable)
{
    try {
        compiler_->rebindVariable(variable.get());
        registrar_->replaceVariable(std::move(variable));
    } catch (...) {
        resetExpression();
        throw;
    }
}

void CalcParser::undefineVar(const std::string& name)
{
    registrar_->removeVariable(name);
    resetExpression();
}

void CalcParser::undefineAllVars()
{
    registrar_->removeAllVariables();
    resetExpression();
}

CalcVariableI* CalcParser::getVar(const std::string& name) const
{
    return registrar_->variableByName(name);
}

CalcVariableI* CalcParser::getVar(std::uint32_t index) const
{
    return registrar_->variableAt(index);
}

std::uint32_t CalcParser::varCount() const
{
    return registrar_->variableCount();
}

void CalcParser::defineVar(const std::string& name, double* value)
{
    defineVar(std::make_unique<MemVariableEvaluator>(name, value));
}

void CalcParser::redefineVar(const std::string& name, double* value)
{
    redefineVar(std::make_unique<MemVariableEvaluator>(name, value));
}

void CalcParser::enableAutoVarDefinition(bool enabled, std::unique_ptr<CalcVariableFactoryI> factory)
{
    registrar_->setVariableFactory(factory ? std::move(factory) : std::make_unique<MemVariableFactory>());
    compiler_->enableAutoVarDefinition(enabled);
}

// ---- constants, functions, operators, syntax ----

void CalcParser::loadPlugin(const std::string& classId)
{
    registrar_->loadPlugin(classId);
}

void CalcParser::defineConst(const std::string& name, double value)
{
    registrar_->addConstant(name, value);
}

std::uint32_t CalcParser::constCount() const
{
    return registrar_->constantCount();
}

void CalcParser::getConst(std::uint32_t index, std::string& name, double& value) const
{
    registrar_->constantAt(index, name, value);
}

void CalcParser::undefineConst(const std::string& name)
{
    registrar_->removeConstant(name);
    resetExpression();
}

void CalcParser::defineFunc(std::unique_ptr<CalcFunctionI> function)
{
    registrar_->addFunction(std::move(function));
}

std::uint32_t CalcParser::funcCount() const
{
    return registrar_->functionCount();
}

CalcFunctionI* CalcParser::getFunc(std::uint32_t index) const
{
    return registrar_->functionAt(index);
}

void CalcParser::undefineFunc(CalcFunctionI* function)
{
    registrar_->removeFunction(function);
    resetExpression();
}

void CalcParser::defineOp(std::unique_ptr<CalcOperatorI> op)
{
    registrar_->addOperator(std::move(op));
}

std::uint32_t CalcParser::opCount() const
{
    return registrar_->operatorCount();
}

CalcOperatorI* CalcParser::getOp(std::uint32_t index) const
{
    return registrar_->operatorAt(index);
}

void CalcParser::undefineOp(CalcOperatorI* op)
{
    registrar_->removeOperator(op);
    resetExpression();
}

void CalcParser::setSyntax(CalcSyntax syntax)
{
    registrar_->setSyntax(syntax);
}

CalcSyntax CalcParser::getSyntax() const
{
    return registrar_->syntax();
}

void CalcParser::undefineFuncById(const std::string& id)
{
    for (std::uint32_t i = 0; i < funcCount(); ++i) {
        CalcFunctionI* function = getFunc(i);
        if (function->id() && id == function->id()) {
            undefineFunc(function);
            return;
        }
    }
}

void CalcParser::undefineFuncsByName(const std::string& name)
{
    for (CalcFunctionI* function : registrar_->functionsNamed(name))
        registrar_->removeFunction(function);
    resetExpression();
}

void CalcParser::undefineOpById(const std::string& id)
{
    for (std::uint32_t i = 0; i < opCount(); ++i) {
        CalcOperatorI* op = getOp(i);
        if (op->id() && id == op->id()) {
            undefineOp(op);
            return;
        }
    }
}

void CalcParser::undefineOpsBySymbol(const std::string& symbol)
{
    std::uint32_t at = 0;
    if (registrar_->findOperator(symbol, false, at))
        registrar_->removeOperator(getOp(at));
    if (registrar_->findOperator(symbol, true, at))
        registrar_->removeOperator(getOp(at));
    resetExpression();
}

// ---- macros, plug-ins and the locale ----

void CalcParser::defineMacro(const std::string& prototype, const std::string& body, const std::string& description)
{
    auto macro = std::make_unique<CalcMacroFct>(prototype, body, description);
    macro->compile(*registrar_);
    defineFunc(std::move(macro));
}

void CalcParser::loadAllPlugins(const std::string& folder, const std::string& pattern)
{
    CalcError failures;
    for (const std::string& file : CalcFolderSearch::find(folder, pattern)) {
        CalcParserInfo reader;
        CalcLibraryInfo library;
        if (reader.load(file) != CalcParserInfo::LoadResult::loaded || !reader.libraryInfo(library)) {
            failures.addRecord(__LINE__, sourceUnit,
                               CalcExcepData("CALCLOCEXCEP_InfoFileOpenFailed", {{"itemName", file}}));
            continue;
        }
        if (library.type != CalcLibraryInfo::pluginType)
            continue;
        try {
            loadPlugin(library.classId);
        } catch (const CalcError& failure) {
            failures.appendChain(failure);
        }
    }
    if (failures.count() > 0)
        throw failures;
}

void CalcParser::useLocaleSyntax()
{
    // nl_langinfo answers for the calling thread's locale, the one uselocale set.
    const char* radix = nl_langinfo(RADIXCHAR);
    // A separator of several bytes cannot be one syntax character: keep the syntax.
    if (!radix || radix[0] == '\0' || radix[1] != '\0')
        return;
    const char decimalPoint = radix[0];
    setSyntax(CalcSyntax{decimalPoint, decimalPoint == ',' ? ';' : ','});
}

// ---- evaluation ----

double CalcParser::nanValue()
{
    return calcNan();
}

double CalcParser::evaluate(const std::string& expression)
{
    compile(expression);
    return evaluate();
}

std::uint32_t CalcParser::evaluateBatch(std::uint32_t count, double* results)
{
    for (std::uint32_t i = 0; i < count; ++i)
        results[i] = evaluate();
    return count;
}

int CalcParser::lastResultIsFinite() const
{
    return std::isfinite(view_.lastResult()) ? 1 : 0;
}

int CalcParser::lastResultIsNaN() const
{
    return std::isnan(view_.lastResult()) ? 1 : 0;
}

// ---- the compiled expression ----

bool CalcParser::autoVarDefinitionEnabled() const
{
    return compiler_->autoVarDefinitionEnabled();
}

void CalcParser::compile(const std::string& expression)
{
    try {
        compiler_->compile(expression);
    } catch (...) {
        refreshView();
        throw;
    }
    refreshView();
}

bool CalcParser::isConstantExpr() const
{
    return compiler_->isConstantExpr();
}

std::uint32_t CalcParser::usedVarCount() const
{
    return compiler_->usedVarCount();
}

const std::string& CalcParser::usedVarName(std::uint32_t index) const
{
    return compiler_->usedVarName(index);
}

const std::string& CalcParser::expression() const
{
    return compiler_->expression();
}

void CalcParser::resetExpression()
{
    compiler_->resetExpression();
    refreshView();
}

void CalcParser::refreshView()
{
    view_.refresh(compiler_->program());
}
