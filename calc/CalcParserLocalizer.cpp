#include "CalcParserLocalizer.h"

#include "CalcFolderSearch.h"
#include "CalcMessageTable.h"
#include "CalcParserInfo.h"

#include <algorithm>

namespace {

const char* const sourceUnit = "CalcParserLocalizer";

[[noreturn]] void raise(std::int32_t line, CalcExcepData data)
{
    CalcError::raise(line, sourceUnit, std::move(data));
}

template <class Info>
const Info& found(const Info* info, const std::string& itemName)
{
    if (!info)
        raise(__LINE__, CalcExcepData("CALCDEFEXCEP_ItemNotFound", {{"itemName", itemName}}));
    return *info;
}

// Reads every record of one kind through the reader's accessor.
template <class Table, class Info, class Count, class Read>
bool readAll(const CalcParserInfo& reader, Count count, Read read, Table& into)
{
    const std::uint32_t n = (reader.*count)();
    for (std::uint32_t i = 0; i < n; ++i) {
        Info info;
        if (!(reader.*read)(i, info))
            return false;
        into.add(std::move(info));
    }
    return true;
}

} // namespace

CalcParserLocalizer& CalcParserLocalizer::instance()
{
    static CalcParserLocalizer localizer;
    return localizer;
}

CalcParserLocalizer::CalcParserLocalizer() = default;

CalcParserLocalizer::~CalcParserLocalizer() = default;

// ---- files and locale ----

void CalcParserLocalizer::registerLibrary(const std::string& file)
{
    if (std::find(files_.begin(), files_.end(), file) != files_.end())
        return;
    if (!locale_.empty())
        loadFile(file);
    files_.push_back(file);
}

void CalcParserLocalizer::registerAllLibraries(const std::string& folder, const std::string& pattern)
{
    CalcError failures;
    for (const std::string& file : CalcFolderSearch::find(folder, pattern)) {
        try {
            registerLibrary(file);
        } catch (const CalcError& failure) {
            failures.appendChain(failure);
        }
    }
    if (failures.count() > 0)
        throw failures;
}

void CalcParserLocalizer::setLocale(const std::string& locale)
{
    if (locale == locale_)
        return;
    tables_.clear();
    locale_ = locale;
    if (locale_.empty())
        return;
    CalcError failures;
    for (const std::string& file : files_) {
        try {
            loadFile(file);
        } catch (const CalcError& failure) {
            failures.appendChain(failure);
        }
    }
    if (failures.count() > 0)
        throw failures;
}

void CalcParserLocalizer::loadFile(const std::string& file)
{
    CalcParserInfo reader;
    switch (reader.load(file)) {
    case CalcParserInfo::LoadResult::loaded:
        break;
    case CalcParserInfo::LoadResult::openFailed:
        raise(__LINE__, CalcExcepData("CALCLOCEXCEP_InfoFileOpenFailed", {{"itemName", file}}));
    case CalcParserInfo::LoadResult::malformed:
        raise(__LINE__, CalcExcepData("CALCLOCEXCEP_InfoFileLoadFailed", {{"itemName", file}}));
    case CalcParserInfo::LoadResult::badVersion:
        raise(__LINE__, CalcExcepData("CALCLOCEXCEP_InfoFileBadVersion", {{"itemName", file}}));
    }
    if (!reader.selectLocale(locale_))
        raise(__LINE__, CalcExcepData("CALCLOCEXCEP_InfoFileLocaleFailed",
                                      {{"itemName", file}, {"conflictItemName", locale_}}));
    Tables read;
    if (!read.read(reader))
        raise(__LINE__, CalcExcepData("CALCLOCEXCEP_InfoFileLoadFailed", {{"itemName", file}}));
    tables_.append(read);
}

// ---- lookups ----

const CalcFunctionInfo& CalcParserLocalizer::functionInfo(const std::string& id) const
{
    return found(tables_.functions.find(id), id);
}

const CalcFunctionInfo& CalcParserLocalizer::functionInfo(std::uint32_t index) const
{
    return found(tables_.functions.at(index), std::to_string(index));
}

const CalcOperatorInfo& CalcParserLocalizer::operatorInfo(const std::string& id) const
{
    return found(tables_.operators.find(id), id);
}

const CalcOperatorInfo& CalcParserLocalizer::operatorInfo(std::uint32_t index) const
{
    return found(tables_.operators.at(index), std::to_string(index));
}

const CalcItemInfo& CalcParserLocalizer::constantInfo(const std::string& name) const
{
    return found(tables_.constants.find(name), name);
}

const CalcItemInfo& CalcParserLocalizer::constantInfo(std::uint32_t index) const
{
    return found(tables_.constants.at(index), std::to_string(index));
}

const CalcItemInfo& CalcParserLocalizer::variableInfo(const std::string& name) const
{
    return found(tables_.variables.find(name), name);
}

const CalcItemInfo& CalcParserLocalizer::variableInfo(std::uint32_t index) const
{
    return found(tables_.variables.at(index), std::to_string(index));
}

// ---- messages ----

std::string CalcParserLocalizer::getExceptionMessage(const CalcExcepData& data) const
{
    const CalcMessageInfo& message = found(tables_.messages.find(data.identifier()), data.identifier());
    return CalcMessageTable::fill(message.text, data);
}

std::string CalcParserLocalizer::errorText(const CalcError& error) const
{
    std::string text;
    for (std::uint32_t i = 0; i < error.count(); ++i) {
        if (i > 0)
            text += "\r\n";
        const CalcMessageInfo* message = tables_.messages.find(error.record(i).data.identifier());
        text += message ? CalcMessageTable::fill(message->text, error.record(i).data) : error.description(i);
    }
    return text;
}

// ---- tables ----

bool CalcParserLocalizer::Tables::read(const CalcParserInfo& reader)
{
    using R = CalcParserInfo;
    return readAll<decltype(functions), CalcFunctionInfo>(reader, &R::functionCount, &R::function, functions)
        && readAll<decltype(operators), CalcOperatorInfo>(reader, &R::operatorCount, &R::op, operators)
        && readAll<decltype(constants), CalcItemInfo>(reader, &R::constantCount, &R::constant, constants)
        && readAll<decltype(variables), CalcItemInfo>(reader, &R::variableCount, &R::variable, variables)
        && readAll<decltype(messages), CalcMessageInfo>(reader, &R::messageCount, &R::message, messages);
}

void CalcParserLocalizer::Tables::append(const Tables& other)
{
    functions.append(other.functions);
    operators.append(other.operators);
    constants.append(other.constants);
    variables.append(other.variables);
    messages.append(other.messages);
}

void CalcParserLocalizer::Tables::clear()
{
    functions.clear();
    operators.clear();
    constants.clear();
    variables.clear();
    messages.clear();
}
