// The library info file reader, through a file since it opens paths, and the localizer that
// registers such files: every record it keeps is found again by its key, and every message
// template it reads fills in its parameters. Failures are CalcErrors, nothing else.

#include "CalcError.h"
#include "CalcFunctionInfo.h"
#include "CalcItemInfo.h"
#include "CalcLibraryInfo.h"
#include "CalcMessageInfo.h"
#include "CalcOperatorInfo.h"
#include "CalcParserInfo.h"
#include "CalcParserLocalizer.h"
#include "FuzzCheck.h"
#include "FuzzTempFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The locales of the example file; the mutations reach others through its names.
const char* const kLocales[] = {"en_US", "de_DE"};

// Reads every record of the locale as the localizer would, and the help texts made of them.
// The identifiers of the messages are collected for the localizer's turn.
void readLocale(const CalcParserInfo& info, std::vector<std::string>& messageIds)
{
    for (std::uint32_t i = 0; i < info.functionCount(); ++i) {
        CalcFunctionInfo function;
        if (info.function(i, function)) {
            function.helpText(CalcSyntax{'.', ','});
            function.helpText(CalcSyntax{',', ';'});
        }
    }
    for (std::uint32_t i = 0; i < info.operatorCount(); ++i) {
        CalcOperatorInfo op;
        if (info.op(i, op))
            op.helpText();
    }
    CalcItemInfo item;
    for (std::uint32_t i = 0; i < info.constantCount(); ++i)
        info.constant(i, item);
    for (std::uint32_t i = 0; i < info.variableCount(); ++i)
        info.variable(i, item);
    for (std::uint32_t i = 0; i < info.messageCount(); ++i) {
        CalcMessageInfo message;
        if (info.message(i, message))
            messageIds.push_back(message.identifier);
    }
    CalcFunctionInfo pastEnd;
    fuzz::check(!info.function(info.functionCount(), pastEnd), "an index past the end gives false");
}

// Every record the localizer kept is found by its key; only a lookup of nothing throws.
void findEveryRecord(const CalcParserLocalizer& localizer)
{
    for (std::uint32_t i = 0; i < localizer.functionInfoCount(); ++i)
        localizer.functionInfo(localizer.functionInfo(i).id);
    for (std::uint32_t i = 0; i < localizer.operatorInfoCount(); ++i)
        localizer.operatorInfo(localizer.operatorInfo(i).id);
    for (std::uint32_t i = 0; i < localizer.constantInfoCount(); ++i)
        localizer.constantInfo(localizer.constantInfo(i).name);
    for (std::uint32_t i = 0; i < localizer.variableInfoCount(); ++i)
        localizer.variableInfo(localizer.variableInfo(i).name);
}

void fillMessages(const CalcParserLocalizer& localizer, const std::vector<std::string>& messageIds)
{
    for (const std::string& id : messageIds) {
        const CalcExcepData data(id, {{"itemName", "q"}, {"conflictItemName", "%itemName"}, {"position", "7"}});
        try {
            localizer.getExceptionMessage(data);
        } catch (const CalcError&) {
            // A message of a record that failed to read never enters the tables.
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzTempFile file(".xml");
    file.write(data, size);
    CalcParserInfo info;
    if (info.load(file.path()) != CalcParserInfo::LoadResult::loaded)
        return 0;
    CalcLibraryInfo library;
    info.libraryInfo(library);
    std::vector<std::string> messageIds;
    for (const char* locale : kLocales) {
        if (info.selectLocale(locale))
            readLocale(info, messageIds);
    }
    for (const char* locale : kLocales) {
        CalcParserLocalizer localizer;
        try {
            localizer.setLocale(locale);
            localizer.registerLibrary(file.path());
        } catch (const CalcError&) {
            continue;
        }
        findEveryRecord(localizer);
        fillMessages(localizer, messageIds);
    }
    return 0;
}
