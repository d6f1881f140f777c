#pragma once

#include "CalcCompilerDefState.h"
#include "CalcCompilerI.h"
#include "CalcContextStack.h"
#include "CalcOperatorStack.h"
#include "CalcProgramFolder.h"
#include "CalcSyntax.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CalcConvFunctionI;
class CalcRegistrarI;
struct CalcOperatorEntry;

// Turns one expression into a flat postfix program: a single left-to-right
// scan with an operator stack, driven by the current parsing state. Every
// variable the expression names is fetched once, at the program's start;
// constant sub-expressions are computed here, not at evaluation.
class CalcParserCompiler final : public CalcCompilerI {
public:
    class CalcVarStub;

    explicit CalcParserCompiler(CalcRegistrarI& registrar);
    // Takes variables from a registry of their own, a macro's arguments, and
    // every other name from the engine's registry.
    CalcParserCompiler(CalcRegistrarI& registrar, CalcRegistrarI& variables);
    ~CalcParserCompiler() override;
    CalcParserCompiler(const CalcParserCompiler&) = delete;
    CalcParserCompiler& operator=(const CalcParserCompiler&) = delete;

    bool autoVarDefinitionEnabled() const override { return autoVarDefinition_; }
    void compile(const std::string& text) override;
    bool isConstantExpr() const override { return program_.back().isValue; }
    std::uint32_t usedVarCount() const override;
    const std::string& usedVarName(std::uint32_t index) const override;
    const std::string& expression() const override { return expression_; }
    void resetExpression() override;

    void enableAutoVarDefinition(bool enabled) override { autoVarDefinition_ = enabled; }
    void rebindVariable(CalcVariableI* variable) override;
    const std::vector<CalcInstruction>& program() const override { return program_; }

    void appendCurrentChar() override;
    void clearToken() override { scan_.token.clear(); }
    const std::string& currentToken() const override { return scan_.token; }
    std::int32_t position() const override { return scan_.position; }
    void pushValue(double value) override;
    CalcParserItemI* resolveVariable(const std::string& name) override;
    void pushVariableRef(const std::string& name) override;
    void pushCall(CalcFunctionI* function, std::int32_t argCount) override;
    void pushCallByName(const std::string& name, std::int32_t argCount) override;
    void compileSubExpression(const std::string& text) override;
    void returnToDefaultState() override { scan_.state = &defState_; }

    [[noreturn]] void raise(const char* identifier, std::int32_t position,
                            const std::string& itemName, std::int64_t number) const override;
    [[noreturn]] void raise(const char* identifier, std::int32_t position,
                            const std::string& itemName) const override;
    [[noreturn]] void raise(const char* identifier, std::int32_t position) const override;
    [[noreturn]] void raise(const char* identifier, const std::string& itemName) const override;

    std::unique_ptr<CalcCompilerI> spawn(CalcRegistrarI& registrar) const override;

private:
    friend class CalcCompilerDefState;

    // Everything one scan works on, kept together so that a sub-expression can
    // be scanned in the middle of another.
    struct Scan {
        std::string text;
        // For each character of text, its index in the caller's text.
        std::vector<std::int32_t> callerPositions;
        std::int32_t position = 0;
        std::string token;
        CalcContextStack contexts;
        CalcOperatorStack operators;
        CalcCompilerStateI* state = nullptr;
    };

    struct UsedVariable {
        std::unique_ptr<CalcVarStub> stub;
        std::string name;
    };

    void scan(const std::string& text);
    void removeBlanks(const std::string& text);
    void clearScan();
    char charAt(std::int32_t position) const;
    std::int32_t tokenStart() const;
    std::string callerPosition(std::int32_t position) const;
    void enterState(CalcConvFunctionI& state);
    // The variable's place in the used-variable list, adding it on first use.
    std::size_t useVariable(const std::string& name);

    void output(const CalcOperatorEntry& entry);
    void outputCall(const std::string& name, std::int32_t argCount, std::int32_t position);
    void appendRecord(CalcParserItemI* item, std::int32_t argCount, std::int32_t position);
    void assemble();
    void dropFoldedRecords();
    void installEmptyProgram();

    CalcRegistrarI& registrar_;
    CalcRegistrarI& variables_;
    bool autoVarDefinition_ = false;
    CalcSyntax syntax_;
    std::string expression_;
    Scan scan_;
    CalcCompilerDefState defState_;
    CalcProgramFolder folder_;
    std::vector<UsedVariable> usedVars_;
    std::map<std::string, std::size_t, std::less<>> usedIndex_;
    // Each reference record's place in the scanned output and its used variable.
    std::vector<std::pair<std::size_t, std::size_t>> references_;
    // Fetch records in order of first use, moved to the program's front at the end.
    std::vector<CalcInstruction> fetches_;
    std::vector<CalcInstruction> program_;
    // One block for every record's arguments, allocated once per compile.
    std::vector<double> argumentPool_;
};
