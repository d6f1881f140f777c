#pragma once

#include <string_view>

// Reads one field of a data file as a number. It accepts what QString::toDouble accepts after
// the field is trimmed, and gives the same value: the common plain forms take a fast path,
// every other form is left to Qt itself. Beyond that it reads what Qt refuses but a double
// can still stand for: NaN and infinity with any sign and spelling ("-nan", "-Infinity",
// "nan(1)"), and magnitudes no double holds, which overflow to an infinity or underflow to
// zero as the C library's strtod has them ("1e400" is +inf, "-1e400" -inf). A measured
// value is never made 0 because it was large.
class NumberParser
{
public:
    // False, with value 0, when the field holds no number. With decimalComma, every comma is
    // read as a decimal point first.
    static bool parse(std::string_view field, bool decimalComma, double& value);

    // A plain finite number at the start of [begin, end): digits with an optional sign, point
    // and exponent, read as Qt reads them. Returns where it stops, or null when there is none.
    static const char* parsePlainPrefix(const char* begin, const char* end, double& value);

private:
    static bool parseWithQt(std::string_view field, double& value);
    static bool parseBeyondQt(std::string_view trimmed, double& value);
};
