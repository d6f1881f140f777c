#pragma once

#include <cstdint>
#include <string>

class CalcExcepData;

// The built-in English messages, one template per error identifier. Templates
// name parameters as "%itemName"; the table never changes at run time.
class CalcMessageTable {
public:
    static std::uint32_t rowCount();
    static const char* identifier(std::uint32_t row);
    static const char* messageTemplate(std::uint32_t row);
    // Null when the identifier has no row.
    static const char* find(const std::string& identifier);

    // The template with each parameter filled in wherever its key stands, or
    // "Unknown exception: " and the identifier when there is no row.
    static std::string defaultMessage(const CalcExcepData& data);
    // Any template, built-in or translated, filled in the same way: every key
    // "%name" is replaced by the value of the parameter of that name (the first
    // one added, should two share it), in one pass, so that values are never
    // filled in again. Where names begin alike, the longest key written wins.
    static std::string fill(const std::string& text, const CalcExcepData& data);
};
