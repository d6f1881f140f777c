#include "CalcParserCompiler.h"

#include "CalcConvFunctionI.h"
#include "CalcError.h"
#include "CalcFunctionI.h"
#include "CalcNan.h"
#include "CalcRegistrarI.h"
#include "CalcVarStub.h"
#include "CalcVariableI.h"
#include "library/AddOp.h"
#include "library/CosFct.h"
#include "library/DivOp.h"
#include "library/ExpOp.h"
#include "library/MinusOp.h"
#include "library/MultOp.h"
#include "library/SinFct.h"

#include <algorithm>
#include <typeinfo>
#include <utility>

namespace {

// Only the library's own classes qualify: a replacement "+" keeps its call.
CalcInlineOp inlineOpOf(const CalcParserItemI* item)
{
    const std::type_info& type = typeid(*item);
    if (type == typeid(AddOp))
        return CalcInlineOp::Add;
    if (type == typeid(MinusOp))
        return CalcInlineOp::Subtract;
    if (type == typeid(MultOp))
        return CalcInlineOp::Multiply;
    if (type == typeid(DivOp))
        return CalcInlineOp::Divide;
    if (type == typeid(ExpOp))
        return CalcInlineOp::Power;
    if (type == typeid(SinFct))
        return CalcInlineOp::Sine;
    if (type == typeid(CosFct))
        return CalcInlineOp::Cosine;
    return CalcInlineOp::None;
}
const char* const sourceUnit = "CalcParserCompiler";
}

CalcParserCompiler::CalcParserCompiler(CalcRegistrarI& registrar)
    : CalcParserCompiler(registrar, registrar)
{
}

CalcParserCompiler::CalcParserCompiler(CalcRegistrarI& registrar, CalcRegistrarI& variables)
    : registrar_(registrar)
    , variables_(variables)
    , defState_(*this)
{
    installEmptyProgram();
}

CalcParserCompiler::~CalcParserCompiler() = default;

// ---- compiling ----

void CalcParserCompiler::compile(const std::string& text)
{
    resetExpression();
    program_.clear();
    syntax_ = registrar_.syntax();
    expression_ = text;
    try {
        scan(text);
        if (program_.empty()) {
            installEmptyProgram();
            return;
        }
        assemble();
        if (!folder_.fold(program_))
            raise("CALCPARSINGEXCEP_InternalError", 0);
        dropFoldedRecords();
        program_.back().target = &program_.back().value;
    } catch (...) {
        resetExpression();
        throw;
    }
}

void CalcParserCompiler::scan(const std::string& text)
{
    removeBlanks(text);
    if (scan_.text.empty())
        return;
    scan_.contexts.open();
    scan_.state = &defState_;
    const std::int32_t length = static_cast<std::int32_t>(scan_.text.size());
    for (scan_.position = 0; scan_.position < length; ++scan_.position) {
        if (scan_.state->onChar())
            continue;
        const char c = scan_.text[scan_.position];
        std::string_view symbol;
        if (registrar_.matchOperator(scan_.text.data() + scan_.position, length - scan_.position, symbol))
            scan_.state->onOp(symbol);
        else if (c == syntax_.argSeparator)
            scan_.state->onArgSeparator();
        else if (c == '(')
            scan_.state->onOpenBracket();
        else if (c == ')')
            scan_.state->onCloseBracket();
        else
            appendCurrentChar();
    }
    scan_.state->onEnd();
    defState_.endToken();
    CalcOperatorStack& stack = scan_.operators;
    for (; !stack.empty(); stack.pop()) {
        if (stack.top().kind == CalcOperatorEntry::Kind::bracket)
            raise("CALCPARSINGEXCEP_MissingCloseBracket", stack.top().position);
        output(stack.top());
    }
}

void CalcParserCompiler::removeBlanks(const std::string& text)
{
    clearScan();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        scan_.text += text[i];
        scan_.callerPositions.push_back(static_cast<std::int32_t>(i));
    }
}

void CalcParserCompiler::clearScan()
{
    scan_.text.clear();
    scan_.callerPositions.clear();
    scan_.position = 0;
    scan_.token.clear();
    scan_.contexts.clear();
    scan_.operators.clear();
    scan_.state = &defState_;
}

// Gives the arguments their storage, puts the fetch records in front, in the
// reverse order of first use, and points each variable's stub at its fetch.
void CalcParserCompiler::assemble()
{
    std::size_t total = 0;
    for (const CalcInstruction& record : program_)
        total += static_cast<std::size_t>(std::max(record.argCount, 0));
    argumentPool_.assign(total, 0.0);
    double* next = argumentPool_.data();
    for (CalcInstruction& record : program_) {
        if (record.argCount > 0) {
            record.args = next;
            next += record.argCount;
        }
    }
    program_.insert(program_.begin(), fetches_.rbegin(), fetches_.rend());
    fetches_.clear();
    const std::size_t used = usedVars_.size();
    for (std::size_t i = 0; i < used; ++i) {
        CalcInstruction& fetch = program_[used - 1 - i];
        fetch.target = &fetch.value;
        usedVars_[i].stub->bind(&fetch.value);
    }
    for (const auto& reference : references_)
        program_[used + reference.first].source = &program_[used - 1 - reference.second].value;
    references_.clear();
}

// The fetch records lead the program and are never folded, so removing the
// folded records leaves the addresses the stubs read unchanged.
void CalcParserCompiler::dropFoldedRecords()
{
    const auto last = program_.end() - 1;
    program_.erase(std::remove_if(program_.begin(), last,
                                  [](const CalcInstruction& record) { return record.isValue; }),
                   last);
}

void CalcParserCompiler::resetExpression()
{
    clearScan();
    fetches_.clear();
    usedVars_.clear();
    usedIndex_.clear();
    references_.clear();
    installEmptyProgram();
}

void CalcParserCompiler::installEmptyProgram()
{
    program_.clear();
    CalcInstruction empty;
    empty.value = calcNan();
    empty.isValue = true;
    program_.push_back(empty);
    program_.back().target = &program_.back().value;
}

// ---- output ----

void CalcParserCompiler::output(const CalcOperatorEntry& entry)
{
    if (entry.kind == CalcOperatorEntry::Kind::function)
        outputCall(entry.item->symbol(), entry.argCount, entry.position);
    else
        appendRecord(entry.item, entry.argCount, entry.position);
}

void CalcParserCompiler::outputCall(const std::string& name, std::int32_t argCount,
                                    std::int32_t position)
{
    std::uint32_t at = 0;
    if (!registrar_.findFunctionForCall(name, argCount, at))
        raise("CALCPARSINGEXCEP_OverloadedFuncNotFound", position, name, argCount);
    CalcFunctionI* function = registrar_.functionAt(at);
    function->prepare(*this, registrar_);
    appendRecord(function, argCount, position);
}

void CalcParserCompiler::appendRecord(CalcParserItemI* item, std::int32_t argCount,
                                      std::int32_t position)
{
    CalcInstruction record;
    record.item = item;
    record.inlineOp = inlineOpOf(item);
    record.argCount = argCount;
    record.position = position;
    program_.push_back(record);
}

// ---- operations for parsing states and items ----

void CalcParserCompiler::appendCurrentChar()
{
    if (scan_.position < static_cast<std::int32_t>(scan_.text.size()))
        scan_.token += scan_.text[scan_.position];
}

void CalcParserCompiler::pushValue(double value)
{
    CalcInstruction record;
    record.value = value;
    record.isValue = true;
    record.position = tokenStart();
    program_.push_back(record);
    scan_.contexts.setKind(CalcElementKind::operand);
    scan_.operators.markPending();
}

CalcParserItemI* CalcParserCompiler::resolveVariable(const std::string& name)
{
    return usedVars_[useVariable(name)].stub.get();
}

std::size_t CalcParserCompiler::useVariable(const std::string& name)
{
    if (!variables_.hasVariable(name) && autoVarDefinition_) {
        try {
            variables_.addVariableByName(name);
        } catch (const CalcError&) {
            // A name the factory cannot make counts as undefined.
        }
    }
    CalcVariableI* variable = variables_.variableByName(name);
    const auto known = usedIndex_.find(name);
    if (known != usedIndex_.end())
        return known->second;
    usedIndex_.emplace(name, usedVars_.size());
    usedVars_.push_back(UsedVariable{std::make_unique<CalcVarStub>(), name});
    CalcInstruction fetch;
    fetch.item = variable;
    fetch.source = variable->directValue();
    fetch.isVarFetch = true;
    fetches_.push_back(fetch);
    return usedVars_.size() - 1;
}

void CalcParserCompiler::pushVariableRef(const std::string& name)
{
    const std::size_t used = useVariable(name);
    references_.emplace_back(program_.size(), used);
    appendRecord(usedVars_[used].stub.get(), 0, tokenStart());
    scan_.contexts.setKind(CalcElementKind::operand);
    scan_.operators.markPending();
}

void CalcParserCompiler::pushCall(CalcFunctionI* function, std::int32_t argCount)
{
    appendRecord(function, argCount, scan_.position);
    scan_.contexts.setKind(CalcElementKind::function);
}

void CalcParserCompiler::pushCallByName(const std::string& name, std::int32_t argCount)
{
    outputCall(name, argCount, scan_.position);
    scan_.contexts.setKind(CalcElementKind::function);
}

void CalcParserCompiler::compileSubExpression(const std::string& text)
{
    // The text may be the current token, which the swap below empties.
    const std::string subText = text;
    Scan outer;
    std::swap(outer, scan_);
    const std::size_t before = program_.size();
    scan(subText);
    if (program_.size() == before)
        raise("CALCPARSINGEXCEP_InvalidSyntax", 0);
    std::swap(outer, scan_);
}

void CalcParserCompiler::enterState(CalcConvFunctionI& state)
{
    scan_.state = &state;
    state.init(*this, registrar_);
}

// ---- queries ----

std::uint32_t CalcParserCompiler::usedVarCount() const
{
    return static_cast<std::uint32_t>(usedVars_.size());
}

const std::string& CalcParserCompiler::usedVarName(std::uint32_t index) const
{
    if (index >= usedVars_.size())
        CalcError::raise(__LINE__, sourceUnit,
                         CalcExcepData("CALCDEFEXCEP_ItemNotFound", {{"param1", std::to_string(index)}}));
    return usedVars_[index].name;
}

void CalcParserCompiler::rebindVariable(CalcVariableI* variable)
{
    const char* name = variable ? variable->symbol() : nullptr;
    if (!name)
        return;
    const std::size_t used = usedVars_.size();
    for (std::size_t i = 0; i < used; ++i) {
        const std::size_t fetch = used - 1 - i;
        if (usedVars_[i].name == name && fetch < program_.size() && program_[fetch].isVarFetch) {
            program_[fetch].item = variable;
            program_[fetch].source = variable->directValue();
        }
    }
}

std::unique_ptr<CalcCompilerI> CalcParserCompiler::spawn(CalcRegistrarI& registrar) const
{
    auto copy = std::make_unique<CalcParserCompiler>(registrar);
    copy->autoVarDefinition_ = autoVarDefinition_;
    return copy;
}

// ---- positions and errors ----

char CalcParserCompiler::charAt(std::int32_t position) const
{
    return position >= 0 && position < static_cast<std::int32_t>(scan_.text.size())
        ? scan_.text[position]
        : '\0';
}

std::int32_t CalcParserCompiler::tokenStart() const
{
    return scan_.position - static_cast<std::int32_t>(scan_.token.size());
}

std::string CalcParserCompiler::callerPosition(std::int32_t position) const
{
    const std::vector<std::int32_t>& map = scan_.callerPositions;
    if (position >= 0 && position < static_cast<std::int32_t>(map.size()))
        return std::to_string(map[position]);
    // Past the end: count on from the last character.
    if (position < 0 || map.empty())
        return std::to_string(std::max(position, 0));
    return std::to_string(map.back() + 1 + position - static_cast<std::int32_t>(map.size()));
}

void CalcParserCompiler::raise(const char* identifier, std::int32_t position,
                               const std::string& itemName, std::int64_t number) const
{
    CalcError::raise(__LINE__, sourceUnit,
                     CalcExcepData(identifier, {{"pos", callerPosition(position)},
                                                {"itemName", itemName},
                                                {"param1", std::to_string(number)}}));
}

void CalcParserCompiler::raise(const char* identifier, std::int32_t position,
                               const std::string& itemName) const
{
    CalcError::raise(__LINE__, sourceUnit,
                     CalcExcepData(identifier, {{"pos", callerPosition(position)}, {"itemName", itemName}}));
}

void CalcParserCompiler::raise(const char* identifier, std::int32_t position) const
{
    CalcError::raise(__LINE__, sourceUnit, CalcExcepData(identifier, {{"pos", callerPosition(position)}}));
}

void CalcParserCompiler::raise(const char* identifier, const std::string& itemName) const
{
    CalcError::raise(__LINE__, sourceUnit, CalcExcepData(identifier, {{"itemName", itemName}}));
}
