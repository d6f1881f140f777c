#include "CellText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Serial days of 1970-01-01 in the two date systems of workbooks.
constexpr double kUnixDay1900 = 25569.0;
constexpr double kUnixDay1904 = 24107.0;
// Workbooks of the 1900 system count a 29 February 1900 that never was: serial 60. Below
// 61 their days are one later than the count from 1899-12-30 gives.
constexpr double kFirstTrueSerial = 61.0;
// Years 1 to 9999, as workbooks and the date reader know them.
constexpr double kLatestSeconds = 253402300799.0;
constexpr double kEarliestSeconds = -62135596800.0;

// The civil date of a day count since 1970-01-01 (proleptic Gregorian).
void civil(std::int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

void appendTime(std::int64_t milliseconds, std::string& line)
{
    char buffer[48];
    const int n = std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", int(milliseconds / 3600000),
                                int(milliseconds / 60000 % 60), int(milliseconds / 1000 % 60), int(milliseconds % 1000));
    line.append(buffer, std::size_t(n));
}

} // namespace

void CellText::appendText(std::string_view text, std::string& line)
{
    // A leading quote would open a quoted field, so such a field is quoted whole.
    const bool quoted = !text.empty() && text.front() == '"';
    if (!quoted && text.find_first_of("\t\n\r") == std::string_view::npos) {
        line.append(text.data(), text.size());
        return;
    }
    if (quoted)
        line += '"';
    for (const char c : text) {
        if (c == '\t' || c == '\n' || c == '\r')
            line += ' ';
        else if (c == '"' && quoted)
            line += "\"\"";
        else
            line += c;
    }
    if (quoted)
        line += '"';
}

void CellText::appendNumber(double value, std::string& line)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    line.append(buffer, std::size_t(result.ptr - buffer));
}

bool CellText::appendSerialDate(double serial, Shown shown, bool date1904, std::string& line)
{
    if (!std::isfinite(serial) || serial < 0.0 || serial > 1e7)
        return false;
    const std::int64_t timeOfDay = std::llround(serial * kSecondsPerDay * 1000.0);
    if (shown == Shown::Time && timeOfDay < std::int64_t(kSecondsPerDay) * 1000) {
        appendTime(timeOfDay, line);
        return true;
    }
    double days = serial - (date1904 ? kUnixDay1904 : kUnixDay1900);
    if (!date1904 && serial < kFirstTrueSerial)
        days += 1.0;
    const double seconds = days * kSecondsPerDay;
    if (seconds < kEarliestSeconds || seconds > kLatestSeconds)
        return false;
    appendDateTime(seconds, serial == std::floor(serial), line);
    return true;
}

void CellText::appendDateTime(double seconds, bool dateOnly, std::string& line)
{
    const std::int64_t milliseconds = std::llround(seconds * 1000.0);
    const std::int64_t perDay = 86400000;
    const std::int64_t days = milliseconds >= 0 ? milliseconds / perDay : -((-milliseconds + perDay - 1) / perDay);
    int year = 0;
    int month = 0;
    int day = 0;
    civil(days, year, month, day);
    char buffer[48];
    const int n = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    line.append(buffer, std::size_t(n));
    if (dateOnly)
        return;
    line += 'T';
    appendTime(milliseconds - days * perDay, line);
}
