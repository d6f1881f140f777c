#pragma once

#include "CalcProgramView.h"
#include "CalcSyntax.h"
#include "CalcVariableFactoryI.h"

#include <cstdint>
#include <memory>
#include <string>

class CalcCompilerI;
class CalcFunctionI;
class CalcOperatorI;
class CalcRegistrarI;
class CalcVariableI;

// The expression engine. Define variables and constants, compile an expression
// once, then evaluate it as often as needed: evaluation reads the variables'
// current values, allocates nothing and makes at most one virtual call per
// record.
// Every failure throws CalcError (CalcChainedExceptions<CalcExcepData>).
class CalcParser final {
public:
    class MemVariableEvaluator;
    class MemVariableFactory;

    // A complete engine with the default operators, functions and "NaN".
    CalcParser();
    // Copies the definitions and recompiles the other engine's expression; a
    // copy that cannot compile it keeps the empty program.
    CalcParser(const CalcParser& other);
    CalcParser(const CalcCompilerI& compiler, const CalcRegistrarI& registrar);
    CalcParser& operator=(const CalcParser&) = delete;
    ~CalcParser();

    // ---- definitions; the engine owns every item handed to it ----
    void defineVar(std::unique_ptr<CalcVariableI> variable);
    // The compiled program goes on working and reads the new variable.
    void redefineVar(std::unique_ptr<CalcVariableI> variable);
    void undefineVar(const std::string& name);
    void undefineAllVars();
    CalcVariableI* getVar(const std::string& name) const;
    CalcVariableI* getVar(std::uint32_t index) const;
    std::uint32_t varCount() const;
    // Defines the constants, operators and functions of the plug-in that the
    // plug-in registry names for the class identifier (calc/README.md).
    void loadPlugin(const std::string& classId);
    // A program compiled before keeps the value the constant had then.
    void defineConst(const std::string& name, double value);
    std::uint32_t constCount() const;
    void getConst(std::uint32_t index, std::string& name, double& value) const;
    void undefineConst(const std::string& name);
    void defineFunc(std::unique_ptr<CalcFunctionI> function);
    std::uint32_t funcCount() const;
    CalcFunctionI* getFunc(std::uint32_t index) const;
    void undefineFunc(CalcFunctionI* function);
    void defineOp(std::unique_ptr<CalcOperatorI> op);
    std::uint32_t opCount() const;
    CalcOperatorI* getOp(std::uint32_t index) const;
    void undefineOp(CalcOperatorI* op);
    void setSyntax(CalcSyntax syntax);
    CalcSyntax getSyntax() const;

    // ---- evaluation ----
    double evaluate() { return view_.evaluate(); }
    double evaluate(const std::string& expression);
    std::uint32_t evaluateBatch(std::uint32_t count, double* results);
    int lastResultIsFinite() const;
    int lastResultIsNaN() const;
    // The compiled program's records, for an evaluator of its own (CalcBlockEvaluator).
    const CalcProgramView& programView() const { return view_; }

    // ---- variables bound to the caller's doubles, which must outlive them ----
    void defineVar(const std::string& name, double* value);
    void redefineVar(const std::string& name, double* value);
    // Without a factory, unknown names become variables of their own value 0.
    void enableAutoVarDefinition(bool enabled, std::unique_ptr<CalcVariableFactoryI> factory = nullptr);

    // Loads the plug-in of every info file of type "plugin" whose name matches
    // the pattern, in the folder and all its subfolders. Goes on past failures
    // and throws their records together at the end.
    void loadAllPlugins(const std::string& folder, const std::string& pattern);
    // A function written as an expression, "sq(x)" with body "x*x". Compiled
    // now, against the definitions this engine holds now, which it goes on
    // calling even after they are undefined; nothing is defined when the
    // prototype, the body, its cost or the name is refused.
    void defineMacro(const std::string& prototype, const std::string& body, const std::string& description);
    void undefineFuncById(const std::string& id);
    void undefineFuncsByName(const std::string& name);
    void undefineOpById(const std::string& id);
    void undefineOpsBySymbol(const std::string& symbol);
    // The decimal point of the calling thread's numeric locale; arguments are
    // then separated by ";" where that point is ",".
    void useLocaleSyntax();
    static double nanValue();
    void copyFrom(const CalcCompilerI& compiler, const CalcRegistrarI& registrar);

    // ---- the compiled expression ----
    bool autoVarDefinitionEnabled() const;
    void compile(const std::string& expression);
    bool isConstantExpr() const;
    std::uint32_t usedVarCount() const;
    const std::string& usedVarName(std::uint32_t index) const;
    const std::string& expression() const;
    void resetExpression();

private:
    void refreshView();

    // Declared first so that it is destroyed last: the compiler refers to it.
    std::unique_ptr<CalcRegistrarI> registrar_;
    std::unique_ptr<CalcCompilerI> compiler_;
    CalcProgramView view_;
};
