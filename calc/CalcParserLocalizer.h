#pragma once

#include "CalcError.h"
#include "CalcFunctionInfo.h"
#include "CalcInfoTable.h"
#include "CalcItemInfo.h"
#include "CalcMessageInfo.h"
#include "CalcOperatorInfo.h"

#include <cstdint>
#include <string>
#include <vector>

class CalcParserInfo;

// Translated descriptions of items and translated error messages, read from
// library info files for one locale. The process has one (`instance`); with no
// file registered or no locale set its tables are empty and every lookup
// throws "CALCDEFEXCEP_ItemNotFound", so that callers fall back to the
// engine's own English texts.
class CalcParserLocalizer {
public:
    static CalcParserLocalizer& instance();

    CalcParserLocalizer();
    ~CalcParserLocalizer();
    CalcParserLocalizer(const CalcParserLocalizer&) = delete;
    CalcParserLocalizer& operator=(const CalcParserLocalizer&) = delete;

    // Registering a file twice does nothing. With a locale set the file is read
    // at once, and a file that fails to read is not registered.
    void registerLibrary(const std::string& file);
    // Every matching file of the folder and its subfolders; goes on past
    // failures and throws their records together at the end.
    void registerAllLibraries(const std::string& folder, const std::string& pattern);
    // Reads every registered file again for the new locale, collecting failures
    // as registerAllLibraries does; the current locale again reads nothing. An
    // empty locale empties the tables and reads nothing.
    void setLocale(const std::string& locale);
    const std::string& getLocale() const { return locale_; }

    std::uint32_t functionInfoCount() const { return tables_.functions.size(); }
    std::uint32_t operatorInfoCount() const { return tables_.operators.size(); }
    std::uint32_t constantInfoCount() const { return tables_.constants.size(); }
    std::uint32_t variableInfoCount() const { return tables_.variables.size(); }

    // By the item's `id`, or by position in the order read.
    const CalcFunctionInfo& functionInfo(const std::string& id) const;
    const CalcFunctionInfo& functionInfo(std::uint32_t index) const;
    const CalcOperatorInfo& operatorInfo(const std::string& id) const;
    const CalcOperatorInfo& operatorInfo(std::uint32_t index) const;
    const CalcItemInfo& constantInfo(const std::string& name) const;
    const CalcItemInfo& constantInfo(std::uint32_t index) const;
    const CalcItemInfo& variableInfo(const std::string& name) const;
    const CalcItemInfo& variableInfo(std::uint32_t index) const;

    // The translated template of the record's identifier with its parameters
    // filled in.
    std::string getExceptionMessage(const CalcExcepData& data) const;
    // What a user is shown for a failure: every record, most recent first, in
    // its translated message or else its English description, joined by CR LF.
    std::string errorText(const CalcError& error) const;

private:
    struct Tables {
        CalcInfoTable<CalcFunctionInfo, &CalcFunctionInfo::id> functions;
        CalcInfoTable<CalcOperatorInfo, &CalcOperatorInfo::id> operators;
        CalcInfoTable<CalcItemInfo, &CalcItemInfo::name> constants;
        CalcInfoTable<CalcItemInfo, &CalcItemInfo::name> variables;
        CalcInfoTable<CalcMessageInfo, &CalcMessageInfo::identifier> messages;

        // False when a record lacks a required attribute.
        bool read(const CalcParserInfo& reader);
        void append(const Tables& other);
        void clear();
    };

    // Reads the file for the current locale; nothing of a failing file enters
    // the tables.
    void loadFile(const std::string& file);

    std::vector<std::string> files_;
    std::string locale_;
    Tables tables_;
};
