#pragma once

#include "CalcInstruction.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CalcFunctionI;
class CalcParserItemI;
class CalcRegistrarI;
class CalcVariableI;

// The expression compiler as seen by the facade, by parsing states and by items.
// Positions are indices into the working text (the expression without blanks);
// the raising operations report them in the caller's text.
class CalcCompilerI {
public:
    virtual bool autoVarDefinitionEnabled() const = 0;
    virtual void compile(const std::string& text) = 0;
    virtual bool isConstantExpr() const = 0;
    virtual std::uint32_t usedVarCount() const = 0;
    virtual const std::string& usedVarName(std::uint32_t index) const = 0;
    virtual const std::string& expression() const = 0;
    virtual void resetExpression() = 0;
    virtual ~CalcCompilerI() = default;

    virtual void enableAutoVarDefinition(bool enabled) = 0;
    // Points the fetch record of the variable's name, if any, at the variable.
    virtual void rebindVariable(CalcVariableI* variable) = 0;
    virtual const std::vector<CalcInstruction>& program() const = 0;

    virtual void appendCurrentChar() = 0;
    virtual void clearToken() = 0;
    virtual const std::string& currentToken() const = 0;
    virtual std::int32_t position() const = 0;
    virtual void pushValue(double value) = 0;
    virtual CalcParserItemI* resolveVariable(const std::string& name) = 0;
    virtual void pushVariableRef(const std::string& name) = 0;
    virtual void pushCall(CalcFunctionI* function, std::int32_t argCount) = 0;
    virtual void pushCallByName(const std::string& name, std::int32_t argCount) = 0;
    virtual void compileSubExpression(const std::string& text) = 0;
    virtual void returnToDefaultState() = 0;

    [[noreturn]] virtual void raise(const char* identifier, std::int32_t position,
                                    const std::string& itemName, std::int64_t number) const = 0;
    [[noreturn]] virtual void raise(const char* identifier, std::int32_t position,
                                    const std::string& itemName) const = 0;
    [[noreturn]] virtual void raise(const char* identifier, std::int32_t position) const = 0;
    [[noreturn]] virtual void raise(const char* identifier, const std::string& itemName) const = 0;

    // A compiler bound to the given registry, with the same automatic-definition
    // switch and no expression.
    virtual std::unique_ptr<CalcCompilerI> spawn(CalcRegistrarI& registrar) const = 0;
};
