#pragma once

#include "CalcRegistrarPublicI.h"

#include <vector>

class CalcVariableFactoryI;

// The registry operations only the engine and its compiler use. The queries
// never throw; they answer false.
class CalcRegistrarI : public CalcRegistrarPublicI {
public:
    virtual void setVariableFactory(std::unique_ptr<CalcVariableFactoryI> factory) = 0;
    virtual void addVariableByName(const std::string& name) = 0;
    virtual bool hasVariable(std::string_view name) const = 0;
    virtual bool findOperator(std::string_view symbol, bool unary, std::uint32_t& position) const = 0;
    // The first overload of the name.
    virtual bool findFunction(std::string_view name, std::uint32_t& position) const = 0;
    virtual bool findFunctionForCall(std::string_view name, std::int32_t argCount,
                                     std::uint32_t& position) const = 0;
    virtual std::vector<CalcFunctionI*> functionsNamed(std::string_view name) const = 0;
    // The overload taking exactly argCount; -1 matches only -1.
    virtual bool findFunctionExact(std::string_view name, std::int32_t argCount,
                                   std::uint32_t& position) const = 0;
    virtual bool findConstant(std::string_view name, std::uint32_t& position) const = 0;
    // The longest operator symbol at the start of text (remaining bytes long).
    virtual bool matchOperator(const char* text, std::size_t remaining,
                               std::string_view& symbol) const = 0;
    virtual std::unique_ptr<CalcRegistrarI> clone() const = 0;
};
