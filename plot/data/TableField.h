#pragma once

#include "DateTimeParser.h"

#include <QString>

#include <string_view>

// What one field of a table holds, and its value as a column of that kind reads it.
class TableField
{
public:
    enum class Kind { Missing, Number, Date, Text };

    // How the fields of one table read: whether commas are decimal points, and which way
    // round slashed dates are written.
    struct Reading {
        bool decimalComma = false;
        DateTimeParser::SlashOrder slashOrder = DateTimeParser::SlashOrder::MonthFirst;
    };

    // Empty fields and the usual marks of a value not measured: NA, N/A, NaN, -, null.
    static bool isMissing(std::string_view field);
    static Kind kindOf(std::string_view field, const Reading& reading);
    // The number the field holds; NaN, a gap, where it holds none.
    static double number(std::string_view field, const Reading& reading);
    // The date or time the field holds in seconds since 1970 UTC; NaN where it holds none.
    static double date(std::string_view field, const Reading& reading);
    // The field as text: UTF-8 where it can be, Latin-1 where it cannot.
    static QString text(std::string_view field);
};
