#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct CalcFunctionInfo;
struct CalcItemInfo;
struct CalcLibraryInfo;
struct CalcMessageInfo;
struct CalcOperatorInfo;

// Reads one library info file: the XML file that tells what a library is
// (its type and, for a plug-in, its class identifier) and, for each locale it
// knows, the texts of its functions, operators, constants and variables and
// translated error messages. calc/README.md describes the format.
//
// Nothing here throws: like the component it stands in for, every operation
// answers whether it succeeded, and the caller raises its own error.
class CalcParserInfo {
public:
    enum class LoadResult { loaded, openFailed, malformed, badVersion };
    // Larger files are refused unread: an info file holds a few texts per item.
    static constexpr std::uintmax_t maxFileBytes = 4u << 20;
    // The one format version this reader understands.
    static constexpr const char* formatVersion = "1";

    CalcParserInfo();
    ~CalcParserInfo();
    CalcParserInfo(const CalcParserInfo&) = delete;
    CalcParserInfo& operator=(const CalcParserInfo&) = delete;

    LoadResult load(const std::string& file);
    // False when the loaded file has no records for the locale.
    bool selectLocale(const std::string& locale);
    // False when the file has no library element or it lacks a required attribute.
    bool libraryInfo(CalcLibraryInfo& info) const;

    // The records of the selected locale; a record that lacks a required
    // attribute, or an index out of range, gives false.
    std::uint32_t functionCount() const;
    bool function(std::uint32_t index, CalcFunctionInfo& info) const;
    std::uint32_t operatorCount() const;
    bool op(std::uint32_t index, CalcOperatorInfo& info) const;
    std::uint32_t constantCount() const;
    bool constant(std::uint32_t index, CalcItemInfo& info) const;
    std::uint32_t variableCount() const;
    bool variable(std::uint32_t index, CalcItemInfo& info) const;
    std::uint32_t messageCount() const;
    bool message(std::uint32_t index, CalcMessageInfo& info) const;

private:
    struct Document;
    std::unique_ptr<Document> document_;
};
