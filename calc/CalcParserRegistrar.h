#pragma once

#include "CalcRegistrarI.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CalcParserItemI;
class CalcPlugin;

// Keeps everything an expression may name and checks every definition against
// the naming rules, failing with one "CALCDEFEXCEP_" record. Names compare byte
// for byte.
class CalcParserRegistrar final : public CalcRegistrarI {
public:
    CalcParserRegistrar();
    ~CalcParserRegistrar() override;
    CalcParserRegistrar(const CalcParserRegistrar&) = delete;
    CalcParserRegistrar& operator=(const CalcParserRegistrar&) = delete;

    void addVariable(std::unique_ptr<CalcVariableI> variable) override;
    void replaceVariable(std::unique_ptr<CalcVariableI> variable) override;
    void removeVariable(std::string_view name) override;
    void removeAllVariables() override;
    CalcVariableI* variableByName(std::string_view name) const override;
    CalcVariableI* variableAt(std::uint32_t position) const override;
    std::uint32_t variableCount() const override;
    void loadPlugin(const std::string& classId) override;
    void addConstant(const std::string& name, double value) override;
    std::uint32_t constantCount() const override;
    void constantAt(std::uint32_t position, std::string& name, double& value) const override;
    void removeConstant(std::string_view name) override;
    void addFunction(std::unique_ptr<CalcFunctionI> function) override;
    std::uint32_t functionCount() const override;
    CalcFunctionI* functionAt(std::uint32_t position) const override;
    void removeFunction(CalcFunctionI* function) override;
    void addOperator(std::unique_ptr<CalcOperatorI> op) override;
    std::uint32_t operatorCount() const override;
    CalcOperatorI* operatorAt(std::uint32_t position) const override;
    void removeOperator(CalcOperatorI* op) override;
    void setSyntax(CalcSyntax syntax) override;
    CalcSyntax syntax() const override;

    void setVariableFactory(std::unique_ptr<CalcVariableFactoryI> factory) override;
    void addVariableByName(const std::string& name) override;
    bool hasVariable(std::string_view name) const override;
    bool findOperator(std::string_view symbol, bool unary, std::uint32_t& position) const override;
    bool findFunction(std::string_view name, std::uint32_t& position) const override;
    bool findFunctionForCall(std::string_view name, std::int32_t argCount,
                             std::uint32_t& position) const override;
    std::vector<CalcFunctionI*> functionsNamed(std::string_view name) const override;
    bool findFunctionExact(std::string_view name, std::int32_t argCount,
                           std::uint32_t& position) const override;
    bool findConstant(std::string_view name, std::uint32_t& position) const override;
    bool matchOperator(const char* text, std::size_t remaining,
                       std::string_view& symbol) const override;
    std::unique_ptr<CalcRegistrarI> clone() const override;

private:
    struct OperatorEntry {
        std::unique_ptr<CalcOperatorI> op;
        std::string symbol;
    };
    using NameIndex = std::map<std::string, std::uint32_t, std::less<>>;
    using NameMultiIndex = std::multimap<std::string, std::uint32_t, std::less<>>;
    static constexpr std::size_t bucketCount = 26;

    static std::size_t bucketOf(char first);
    bool containsSyntaxChar(std::string_view name, char separator, std::string& found) const;
    bool containsOperator(std::string_view name, std::string& found) const;
    bool isOnlyNumber(std::string_view name) const;

    void checkVariableName(const std::string& name) const;
    void checkConstantName(const std::string& name) const;
    void checkFunction(const CalcFunctionI& function) const;
    void checkOperator(const CalcOperatorI& op) const;
    void checkNamesAgainst(char separator) const;
    void definePluginItems(const std::shared_ptr<const CalcPlugin>& plugin);

    void fileVariable(std::unique_ptr<CalcVariableI> variable);
    void fileFunction(std::unique_ptr<CalcFunctionI> function);
    void fileOperator(std::unique_ptr<CalcOperatorI> op);
    void rebuildConstantIndex();
    void rebuildFunctionIndex();

    CalcSyntax syntax_;
    std::vector<std::unique_ptr<CalcVariableI>> variables_;
    NameIndex variableIndex_;
    std::vector<std::pair<std::string, double>> constants_;
    NameIndex constantIndex_;
    std::vector<std::unique_ptr<CalcFunctionI>> functions_;
    NameMultiIndex functionIndex_;
    std::vector<OperatorEntry> operators_;
    // Positions of the operators by the first byte of their symbol, longest
    // symbol first, so that the first match in a bucket is the longest.
    std::array<std::vector<std::uint32_t>, bucketCount> buckets_;
    std::unique_ptr<CalcVariableFactoryI> factory_;
    // Functions and operators removed while the registry lives. Macros share
    // the registry and call the items they were compiled with, so these stay
    // until the macros go.
    std::vector<std::unique_ptr<CalcParserItemI>> removed_;
    // The plug-ins this registry, or the one it was cloned from, loaded.
    std::vector<std::shared_ptr<const CalcPlugin>> plugins_;
};
