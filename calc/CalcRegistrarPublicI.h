#pragma once

#include "CalcSyntax.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CalcFunctionI;
class CalcOperatorI;
class CalcVariableI;

// Definitions and queries open to every user of an engine. Items handed to an
// add or replace operation belong to the registry from the call on, also when
// the call fails.
class CalcRegistrarPublicI {
public:
    virtual void addVariable(std::unique_ptr<CalcVariableI> variable) = 0;
    virtual void replaceVariable(std::unique_ptr<CalcVariableI> variable) = 0;
    virtual void removeVariable(std::string_view name) = 0;
    virtual void removeAllVariables() = 0;
    virtual CalcVariableI* variableByName(std::string_view name) const = 0;
    virtual CalcVariableI* variableAt(std::uint32_t position) const = 0;
    virtual std::uint32_t variableCount() const = 0;
    virtual void loadPlugin(const std::string& classId) = 0;
    virtual void addConstant(const std::string& name, double value) = 0;
    virtual std::uint32_t constantCount() const = 0;
    virtual void constantAt(std::uint32_t position, std::string& name, double& value) const = 0;
    virtual void removeConstant(std::string_view name) = 0;
    virtual void addFunction(std::unique_ptr<CalcFunctionI> function) = 0;
    virtual std::uint32_t functionCount() const = 0;
    virtual CalcFunctionI* functionAt(std::uint32_t position) const = 0;
    virtual void removeFunction(CalcFunctionI* function) = 0;
    virtual void addOperator(std::unique_ptr<CalcOperatorI> op) = 0;
    virtual std::uint32_t operatorCount() const = 0;
    virtual CalcOperatorI* operatorAt(std::uint32_t position) const = 0;
    virtual void removeOperator(CalcOperatorI* op) = 0;
    virtual void setSyntax(CalcSyntax syntax) = 0;
    virtual CalcSyntax syntax() const = 0;
    virtual ~CalcRegistrarPublicI() = default;
};
