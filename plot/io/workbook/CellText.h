#pragma once

#include <string>
#include <string_view>

// How the cells of a sheet become the fields of a text table, so that the table rules read
// them as they read a text file: numbers exactly, dates and times in a form the date reader
// knows, text as text. A field never holds the TAB that ends it or a line break.
class CellText
{
public:
    // How a number cell is shown: its style's number format.
    enum class Shown : unsigned char { Number, Date, Time };

    static void appendText(std::string_view text, std::string& line);
    // The shortest text that reads back as the same double.
    static void appendNumber(double value, std::string& line);
    // A date cell's serial number of days, since 1899-12-30 or, in a workbook of the 1904
    // system, since 1904-01-01: "yyyy-mm-dd", "yyyy-mm-ddThh:mm:ss.fff", or a time of day
    // "hh:mm:ss.fff" where the cell shows only a time. False for a number that is no date.
    static bool appendSerialDate(double serial, Shown shown, bool date1904, std::string& line);
    // Days and seconds since 1970-01-01 as "yyyy-mm-ddThh:mm:ss.fff".
    static void appendDateTime(double seconds, bool dateOnly, std::string& line);
};
