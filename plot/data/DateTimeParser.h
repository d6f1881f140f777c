#pragma once

#include <string_view>

// Reads the dates and times tables hold as seconds since 1970-01-01T00:00:00 UTC:
//   yyyy-mm-dd, then optionally 'T' or a blank and hh:mm[:ss[.fff]], then optionally 'Z' or
//   an offset ±hh:mm (±hhmm, ±hh);
//   dd.mm.yyyy[ hh:mm[:ss[.fff]]];
//   mm/dd/yyyy[ hh:mm[:ss[.fff]]], or dd/mm/yyyy where the table's days say so;
//   hh:mm:ss[.fff] alone, a time of day on 1970-01-01.
// Hours may be written with one digit.
// A time written without an offset is taken as UTC, so it shows as it was written.
class DateTimeParser
{
public:
    enum class SlashOrder { MonthFirst, DayFirst };

    // False when the field is none of the forms above or names no real date (2024-02-30).
    static bool parse(std::string_view field, SlashOrder order, double& seconds);
    // Whether the field is a slashed date whose first number can only be a day (above 12).
    static bool slashDayFirst(std::string_view field);
    // Quick test whether a field may be a date or time at all: a digit first and a '-', '.',
    // '/' or ':' among its first five characters.
    static bool mayBeDate(std::string_view field);
};
