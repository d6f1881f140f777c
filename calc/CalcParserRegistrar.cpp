#include "CalcParserRegistrar.h"

#include "CalcError.h"
#include "CalcFunctionI.h"
#include "CalcOperatorI.h"
#include "CalcPlugin.h"
#include "CalcPluginFunction.h"
#include "CalcPluginOperator.h"
#include "CalcVariableFactoryI.h"
#include "CalcVariableI.h"

#include <algorithm>
#include <cstring>

namespace {

const char* const sourceUnit = "CalcParserRegistrar";
// Name-based and position-based failures carry the registry's two fixed lines.
constexpr std::int32_t nameErrorLine = 1136;
constexpr std::int32_t positionErrorLine = 1144;
constexpr std::int32_t lowestPrecedence = 0;
constexpr std::int32_t highestPrecedence = 9999;

[[noreturn]] void raiseName(const char* identifier, std::string_view itemName,
                            std::string_view conflictItemName = {})
{
    CalcError::raise(nameErrorLine, sourceUnit,
                     CalcExcepData(identifier, {{"itemName", std::string(itemName)},
                                                {"conflictItemName", std::string(conflictItemName)}}));
}

[[noreturn]] void raiseNotFound(std::string_view name)
{
    CalcError::raise(nameErrorLine, sourceUnit,
                     CalcExcepData("CALCDEFEXCEP_ItemNotFound", {{"itemName", std::string(name)}}));
}

[[noreturn]] void raiseNotFoundAt(std::uint32_t position)
{
    CalcError::raise(positionErrorLine, sourceUnit,
                     CalcExcepData("CALCDEFEXCEP_ItemNotFound", {{"param1", std::to_string(position)}}));
}

std::string nameOf(const CalcParserItemI& item)
{
    const char* symbol = item.symbol();
    return symbol ? symbol : "";
}

bool hasBlank(std::string_view name)
{
    return name.find(' ') != std::string_view::npos;
}

} // namespace

CalcParserRegistrar::CalcParserRegistrar() = default;

CalcParserRegistrar::~CalcParserRegistrar()
{
    // Variables go before the factory, which may own what the variables it made read.
    operators_.clear();
    functions_.clear();
    removed_.clear();
    variables_.clear();
    factory_.reset();
}

// ---- variables ----

void CalcParserRegistrar::addVariable(std::unique_ptr<CalcVariableI> variable)
{
    if (!variable)
        raiseName("CALCDEFEXCEP_VarNameNull", "");
    checkVariableName(nameOf(*variable));
    fileVariable(std::move(variable));
}

void CalcParserRegistrar::replaceVariable(std::unique_ptr<CalcVariableI> variable)
{
    if (!variable)
        raiseName("CALCDEFEXCEP_VarNameNull", "");
    const std::string name = nameOf(*variable);
    const auto found = variableIndex_.find(name);
    if (found == variableIndex_.end())
        raiseNotFound(name);
    variables_[found->second] = std::move(variable);
}

void CalcParserRegistrar::removeVariable(std::string_view name)
{
    const auto found = variableIndex_.find(name);
    if (found == variableIndex_.end())
        raiseNotFound(name);
    const std::uint32_t position = found->second;
    variableIndex_.erase(found);
    variables_.erase(variables_.begin() + position);
    for (auto& entry : variableIndex_)
        if (entry.second > position)
            --entry.second;
}

void CalcParserRegistrar::removeAllVariables()
{
    variableIndex_.clear();
    variables_.clear();
}

CalcVariableI* CalcParserRegistrar::variableByName(std::string_view name) const
{
    const auto found = variableIndex_.find(name);
    if (found == variableIndex_.end())
        raiseNotFound(name);
    return variables_[found->second].get();
}

CalcVariableI* CalcParserRegistrar::variableAt(std::uint32_t position) const
{
    if (position >= variables_.size())
        raiseNotFoundAt(position);
    return variables_[position].get();
}

std::uint32_t CalcParserRegistrar::variableCount() const
{
    return static_cast<std::uint32_t>(variables_.size());
}

void CalcParserRegistrar::setVariableFactory(std::unique_ptr<CalcVariableFactoryI> factory)
{
    factory_ = std::move(factory);
}

void CalcParserRegistrar::addVariableByName(const std::string& name)
{
    std::unique_ptr<CalcVariableI> variable = factory_ ? factory_->create(name) : nullptr;
    if (!variable)
        raiseNotFound(name);
    addVariable(std::move(variable));
}

bool CalcParserRegistrar::hasVariable(std::string_view name) const
{
    return variableIndex_.find(name) != variableIndex_.end();
}

// ---- plug-ins ----

void CalcParserRegistrar::loadPlugin(const std::string& classId)
{
    std::shared_ptr<const CalcPlugin> plugin = CalcPlugin::load(classId);
    try {
        definePluginItems(plugin);
    } catch (CalcError& conflict) {
        conflict.addRecord(nameErrorLine, sourceUnit,
                           CalcExcepData("CALCDEFEXCEP_PluginDefConflict", {{"itemName", classId}}));
        throw;
    }
    plugins_.push_back(std::move(plugin));
}

// All or nothing: a plug-in refused halfway takes back what it had defined.
void CalcParserRegistrar::definePluginItems(const std::shared_ptr<const CalcPlugin>& plugin)
{
    const CalcPluginInterface& api = plugin->api();
    // Reserved, so that recording an item the registry accepted cannot fail.
    std::vector<std::string> constants;
    std::vector<CalcOperatorI*> ops;
    std::vector<CalcFunctionI*> functions;
    constants.reserve(api.constantCount);
    ops.reserve(api.operatorCount);
    functions.reserve(api.functionCount);
    try {
        for (std::uint32_t i = 0; i < api.constantCount; ++i) {
            const std::string name = api.constants[i].name ? api.constants[i].name : "";
            addConstant(name, api.constants[i].value);
            constants.push_back(name);
        }
        for (std::uint32_t i = 0; i < api.operatorCount; ++i) {
            auto op = std::make_unique<CalcPluginOperator>(plugin, api.operators[i]);
            CalcOperatorI* added = op.get();
            addOperator(std::move(op));
            ops.push_back(added);
        }
        for (std::uint32_t i = 0; i < api.functionCount; ++i) {
            auto function = std::make_unique<CalcPluginFunction>(plugin, api.functions[i]);
            CalcFunctionI* added = function.get();
            addFunction(std::move(function));
            functions.push_back(added);
        }
    } catch (const CalcError&) {
        for (auto it = functions.rbegin(); it != functions.rend(); ++it)
            removeFunction(*it);
        for (auto it = ops.rbegin(); it != ops.rend(); ++it)
            removeOperator(*it);
        for (auto it = constants.rbegin(); it != constants.rend(); ++it)
            removeConstant(*it);
        throw;
    }
}

// ---- constants ----

void CalcParserRegistrar::addConstant(const std::string& name, double value)
{
    checkConstantName(name);
    constants_.emplace_back(name, value);
    constantIndex_.emplace(name, static_cast<std::uint32_t>(constants_.size() - 1));
}

std::uint32_t CalcParserRegistrar::constantCount() const
{
    return static_cast<std::uint32_t>(constants_.size());
}

void CalcParserRegistrar::constantAt(std::uint32_t position, std::string& name, double& value) const
{
    if (position >= constants_.size())
        raiseNotFoundAt(position);
    name = constants_[position].first;
    value = constants_[position].second;
}

void CalcParserRegistrar::removeConstant(std::string_view name)
{
    const auto found = constantIndex_.find(name);
    if (found == constantIndex_.end())
        raiseNotFound(name);
    constants_.erase(constants_.begin() + found->second);
    rebuildConstantIndex();
}

bool CalcParserRegistrar::findConstant(std::string_view name, std::uint32_t& position) const
{
    const auto found = constantIndex_.find(name);
    if (found == constantIndex_.end())
        return false;
    position = found->second;
    return true;
}

// ---- functions ----

void CalcParserRegistrar::addFunction(std::unique_ptr<CalcFunctionI> function)
{
    if (!function)
        raiseName("CALCDEFEXCEP_FuncNameNull", "");
    checkFunction(*function);
    fileFunction(std::move(function));
}

std::uint32_t CalcParserRegistrar::functionCount() const
{
    return static_cast<std::uint32_t>(functions_.size());
}

CalcFunctionI* CalcParserRegistrar::functionAt(std::uint32_t position) const
{
    if (position >= functions_.size())
        raiseNotFoundAt(position);
    return functions_[position].get();
}

void CalcParserRegistrar::removeFunction(CalcFunctionI* function)
{
    if (!function)
        raiseNotFound("");
    const std::string name = nameOf(*function);
    std::uint32_t position = 0;
    if (!findFunctionExact(name, function->argCount(), position))
        raiseNotFound(name);
    removed_.push_back(std::move(functions_[position]));
    functions_.erase(functions_.begin() + position);
    rebuildFunctionIndex();
}

bool CalcParserRegistrar::findFunction(std::string_view name, std::uint32_t& position) const
{
    const auto found = functionIndex_.find(name);
    if (found == functionIndex_.end())
        return false;
    position = found->second;
    return true;
}

bool CalcParserRegistrar::findFunctionForCall(std::string_view name, std::int32_t argCount,
                                              std::uint32_t& position) const
{
    // A call without arguments never reaches a function of any argument count.
    bool variadicFound = false;
    const auto range = functionIndex_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) {
        const std::int32_t count = functions_[it->second]->argCount();
        if (count == argCount) {
            position = it->second;
            return true;
        }
        if (count == CalcFunctionI::anyArgCount && argCount > 0) {
            position = it->second;
            variadicFound = true;
        }
    }
    return variadicFound;
}

std::vector<CalcFunctionI*> CalcParserRegistrar::functionsNamed(std::string_view name) const
{
    std::vector<CalcFunctionI*> result;
    const auto range = functionIndex_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        result.push_back(functions_[it->second].get());
    return result;
}

bool CalcParserRegistrar::findFunctionExact(std::string_view name, std::int32_t argCount,
                                            std::uint32_t& position) const
{
    const auto range = functionIndex_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) {
        if (functions_[it->second]->argCount() == argCount) {
            position = it->second;
            return true;
        }
    }
    return false;
}

// ---- operators ----

void CalcParserRegistrar::addOperator(std::unique_ptr<CalcOperatorI> op)
{
    if (!op)
        raiseName("CALCDEFEXCEP_OpNameNull", "");
    checkOperator(*op);
    fileOperator(std::move(op));
}

std::uint32_t CalcParserRegistrar::operatorCount() const
{
    return static_cast<std::uint32_t>(operators_.size());
}

CalcOperatorI* CalcParserRegistrar::operatorAt(std::uint32_t position) const
{
    if (position >= operators_.size())
        raiseNotFoundAt(position);
    return operators_[position].op.get();
}

void CalcParserRegistrar::removeOperator(CalcOperatorI* op)
{
    if (!op)
        raiseNotFound("");
    const std::string symbol = nameOf(*op);
    if (symbol.empty())
        raiseNotFound(symbol);
    std::vector<std::uint32_t>& bucket = buckets_[bucketOf(symbol[0])];
    const auto found = std::find_if(bucket.begin(), bucket.end(), [&](std::uint32_t position) {
        return operators_[position].op.get() == op;
    });
    if (found == bucket.end())
        raiseNotFound(symbol);
    const std::uint32_t removed = *found;
    removed_.push_back(std::move(operators_[removed].op));
    bucket.erase(found);
    operators_.erase(operators_.begin() + removed);
    for (auto& entries : buckets_)
        for (std::uint32_t& position : entries)
            if (position > removed)
                --position;
}

bool CalcParserRegistrar::findOperator(std::string_view symbol, bool unary,
                                       std::uint32_t& position) const
{
    if (symbol.empty())
        return false;
    for (std::uint32_t candidate : buckets_[bucketOf(symbol[0])]) {
        const OperatorEntry& entry = operators_[candidate];
        if (entry.symbol == symbol && entry.op->isUnary() == unary) {
            position = candidate;
            return true;
        }
    }
    return false;
}

bool CalcParserRegistrar::matchOperator(const char* text, std::size_t remaining,
                                        std::string_view& symbol) const
{
    if (remaining == 0)
        return false;
    for (std::uint32_t candidate : buckets_[bucketOf(text[0])]) {
        const std::string& s = operators_[candidate].symbol;
        if (s.size() <= remaining && std::memcmp(s.data(), text, s.size()) == 0) {
            symbol = s;
            return true;
        }
    }
    return false;
}

// ---- syntax ----

void CalcParserRegistrar::setSyntax(CalcSyntax syntax)
{
    if (syntax.decimalPoint == syntax.argSeparator)
        raiseName("CALCDEFEXCEP_SyntaxArgDecConflict", "");
    checkNamesAgainst(syntax.argSeparator);
    syntax_ = syntax;
}

CalcSyntax CalcParserRegistrar::syntax() const
{
    return syntax_;
}

// ---- copying ----

std::unique_ptr<CalcRegistrarI> CalcParserRegistrar::clone() const
{
    auto copy = std::make_unique<CalcParserRegistrar>();
    copy->syntax_ = syntax_;
    if (factory_)
        copy->factory_ = factory_->spawn();
    for (const auto& variable : variables_)
        copy->fileVariable(variable->spawn());
    copy->plugins_ = plugins_;
    copy->constants_ = constants_;
    copy->constantIndex_ = constantIndex_;
    for (const OperatorEntry& entry : operators_)
        copy->fileOperator(entry.op->spawn());
    for (const auto& function : functions_)
        copy->fileFunction(function->spawn());
    return copy;
}

// ---- naming rules ----

std::size_t CalcParserRegistrar::bucketOf(char first)
{
    return static_cast<unsigned char>(first) % bucketCount;
}

bool CalcParserRegistrar::containsSyntaxChar(std::string_view name, char separator,
                                             std::string& found) const
{
    for (char c : name) {
        if (c == separator || c == '(' || c == ')') {
            found.assign(1, c);
            return true;
        }
    }
    return false;
}

bool CalcParserRegistrar::containsOperator(std::string_view name, std::string& found) const
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        std::string_view symbol;
        if (matchOperator(name.data() + i, name.size() - i, symbol)) {
            found.assign(symbol);
            return true;
        }
    }
    return false;
}

bool CalcParserRegistrar::isOnlyNumber(std::string_view name) const
{
    int points = 0;
    for (char c : name) {
        if (c == syntax_.decimalPoint)
            ++points;
        else if (c < '0' || c > '9')
            return false;
    }
    return points <= 1;
}

void CalcParserRegistrar::checkVariableName(const std::string& name) const
{
    std::string conflict;
    if (name.empty())
        raiseName("CALCDEFEXCEP_VarNameNull", name);
    if (hasBlank(name))
        raiseName("CALCDEFEXCEP_VarNameSpace", name);
    if (hasVariable(name))
        raiseName("CALCDEFEXCEP_VarAlreadyDefined", name);
    if (isOnlyNumber(name))
        raiseName("CALCDEFEXCEP_VarNameOnlyNum", name);
    if (constantIndex_.count(name))
        raiseName("CALCDEFEXCEP_VarNameConstConflict", name);
    if (containsSyntaxChar(name, syntax_.argSeparator, conflict))
        raiseName("CALCDEFEXCEP_VarNameSyntaxConflict", name, conflict);
    if (containsOperator(name, conflict))
        raiseName("CALCDEFEXCEP_VarNameDelimConflict", name, conflict);
}

void CalcParserRegistrar::checkConstantName(const std::string& name) const
{
    std::string conflict;
    if (name.empty())
        raiseName("CALCDEFEXCEP_ConstNameNull", name);
    if (hasBlank(name))
        raiseName("CALCDEFEXCEP_ConstNameSpace", name);
    if (constantIndex_.count(name))
        raiseName("CALCDEFEXCEP_ConstAlreadyDefined", name);
    if (isOnlyNumber(name))
        raiseName("CALCDEFEXCEP_ConstNameOnlyNum", name);
    if (containsSyntaxChar(name, syntax_.argSeparator, conflict))
        raiseName("CALCDEFEXCEP_ConstNameSyntaxConflict", name, conflict);
    if (containsOperator(name, conflict))
        raiseName("CALCDEFEXCEP_ConstNameOpConflict", name, conflict);
    if (hasVariable(name))
        raiseName("CALCDEFEXCEP_ConstNameVarConflict", name);
}

void CalcParserRegistrar::checkFunction(const CalcFunctionI& function) const
{
    const std::string name = nameOf(function);
    std::string conflict;
    std::uint32_t position = 0;
    if (name.empty())
        raiseName("CALCDEFEXCEP_FuncNameNull", name);
    if (hasBlank(name))
        raiseName("CALCDEFEXCEP_FuncNameSpace", name);
    if (findFunctionExact(name, function.argCount(), position))
        raiseName("CALCDEFEXCEP_FuncAlreadyDefined", name);
    if (containsSyntaxChar(name, syntax_.argSeparator, conflict))
        raiseName("CALCDEFEXCEP_FuncNameSyntaxConflict", name, conflict);
    if (containsOperator(name, conflict))
        raiseName("CALCDEFEXCEP_FuncNameOpConflict", name, conflict);
}

void CalcParserRegistrar::checkOperator(const CalcOperatorI& op) const
{
    const std::string symbol = nameOf(op);
    std::string conflict;
    std::uint32_t position = 0;
    if (symbol.empty())
        raiseName("CALCDEFEXCEP_OpNameNull", symbol);
    if (hasBlank(symbol))
        raiseName("CALCDEFEXCEP_OpNameSpace", symbol);
    if (op.precedence() < lowestPrecedence || op.precedence() > highestPrecedence)
        raiseName("CALCDEFEXCEP_OpPrecedence", symbol);
    if (findOperator(symbol, op.isUnary(), position))
        raiseName("CALCDEFEXCEP_OpAlreadyDefined", symbol);
    if (containsSyntaxChar(symbol, syntax_.argSeparator, conflict))
        raiseName("CALCDEFEXCEP_OpNameSyntaxConflict", symbol, conflict);
    for (const auto& function : functions_) {
        const std::string name = nameOf(*function);
        if (name.find(symbol) != std::string::npos)
            raiseName("CALCDEFEXCEP_FuncNameOpConflict", name, symbol);
    }
    for (const auto& constant : constants_)
        if (constant.first.find(symbol) != std::string::npos)
            raiseName("CALCDEFEXCEP_ConstNameOpConflict", constant.first, symbol);
}

void CalcParserRegistrar::checkNamesAgainst(char separator) const
{
    std::string conflict;
    for (const OperatorEntry& entry : operators_)
        if (containsSyntaxChar(entry.symbol, separator, conflict))
            raiseName("CALCDEFEXCEP_OpNameSyntaxConflict", entry.symbol, conflict);
    for (const auto& function : functions_) {
        const std::string name = nameOf(*function);
        if (containsSyntaxChar(name, separator, conflict))
            raiseName("CALCDEFEXCEP_FuncNameSyntaxConflict", name, conflict);
    }
    for (const auto& constant : constants_)
        if (containsSyntaxChar(constant.first, separator, conflict))
            raiseName("CALCDEFEXCEP_ConstNameSyntaxConflict", constant.first, conflict);
}

// ---- filing without the rules ----

void CalcParserRegistrar::fileVariable(std::unique_ptr<CalcVariableI> variable)
{
    variableIndex_.emplace(nameOf(*variable), static_cast<std::uint32_t>(variables_.size()));
    variables_.push_back(std::move(variable));
}

void CalcParserRegistrar::fileFunction(std::unique_ptr<CalcFunctionI> function)
{
    functionIndex_.emplace(nameOf(*function), static_cast<std::uint32_t>(functions_.size()));
    functions_.push_back(std::move(function));
}

void CalcParserRegistrar::fileOperator(std::unique_ptr<CalcOperatorI> op)
{
    std::string symbol = nameOf(*op);
    std::vector<std::uint32_t>& bucket = buckets_[bucketOf(symbol[0])];
    const auto before = std::find_if(bucket.begin(), bucket.end(), [&](std::uint32_t position) {
        return operators_[position].symbol.size() < symbol.size();
    });
    bucket.insert(before, static_cast<std::uint32_t>(operators_.size()));
    operators_.push_back(OperatorEntry{std::move(op), std::move(symbol)});
}

void CalcParserRegistrar::rebuildConstantIndex()
{
    constantIndex_.clear();
    for (std::uint32_t i = 0; i < constants_.size(); ++i)
        constantIndex_.emplace(constants_[i].first, i);
}

void CalcParserRegistrar::rebuildFunctionIndex()
{
    functionIndex_.clear();
    for (std::uint32_t i = 0; i < functions_.size(); ++i)
        functionIndex_.emplace(nameOf(*functions_[i]), i);
}
