#include "DateTimeParser.h"

#include <cstdint>

namespace {

// Reads exactly `digits` decimal digits at p.
bool fixed(std::string_view s, std::size_t& p, int digits, int& value)
{
    if (p + std::size_t(digits) > s.size())
        return false;
    value = 0;
    for (int k = 0; k < digits; ++k) {
        const char c = s[p + std::size_t(k)];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    p += std::size_t(digits);
    return true;
}

// One or two digits, as day and month numbers are written in dotted and slashed dates.
bool shortNumber(std::string_view s, std::size_t& p, int& value)
{
    if (!fixed(s, p, 1, value))
        return false;
    int second = 0;
    if (fixed(s, p, 1, second))
        value = value * 10 + second;
    return true;
}

bool expect(std::string_view s, std::size_t& p, char c)
{
    if (p >= s.size() || s[p] != c)
        return false;
    ++p;
    return true;
}

bool isLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool validDate(int year, int month, int day)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return false;
    return day <= days[month - 1] + (month == 2 && isLeap(year) ? 1 : 0);
}

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(int year, int month, int day)
{
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// hh:mm[:ss[.fff]] at p, as seconds of the day; a leap second 60 is allowed.
bool timeOfDay(std::string_view s, std::size_t& p, double& seconds)
{
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!shortNumber(s, p, hour) || !expect(s, p, ':') || !fixed(s, p, 2, minute) || hour > 24 || minute > 59)
        return false;
    double fraction = 0.0;
    if (p < s.size() && s[p] == ':') {
        ++p;
        if (!fixed(s, p, 2, second) || second > 60)
            return false;
        if (p < s.size() && (s[p] == '.' || s[p] == ',')) {
            ++p;
            double scale = 0.1;
            const std::size_t start = p;
            for (; p < s.size() && s[p] >= '0' && s[p] <= '9'; ++p, scale /= 10)
                fraction += (s[p] - '0') * scale;
            if (p == start)
                return false;
        }
    }
    if (hour == 24 && (minute > 0 || second > 0 || fraction > 0))
        return false;
    seconds = hour * 3600.0 + minute * 60.0 + second + fraction;
    return true;
}

// 'Z', or ±hh[:mm] / ±hhmm: the seconds to subtract to reach UTC.
bool offset(std::string_view s, std::size_t& p, double& shift)
{
    shift = 0.0;
    if (p == s.size())
        return true;
    if (s[p] == 'Z' || s[p] == 'z') {
        ++p;
        return true;
    }
    if (s[p] != '+' && s[p] != '-')
        return false;
    const double sign = s[p++] == '-' ? -1.0 : 1.0;
    int hours = 0;
    int minutes = 0;
    if (!fixed(s, p, 2, hours))
        return false;
    if (p < s.size()) {
        expect(s, p, ':');
        if (!fixed(s, p, 2, minutes))
            return false;
    }
    if (hours > 23 || minutes > 59)
        return false;
    shift = sign * (hours * 3600.0 + minutes * 60.0);
    return true;
}

// An optional time after the date: 'T' (ISO dates only) or blanks, then the time and, for
// ISO dates, an offset. The whole field must be used.
bool timePart(std::string_view s, std::size_t p, bool iso, double& seconds)
{
    seconds = 0.0;
    if (p == s.size())
        return true;
    if (iso && (s[p] == 'T' || s[p] == 't')) {
        ++p;
    } else {
        if (s[p] != ' ')
            return false;
        while (p < s.size() && s[p] == ' ')
            ++p;
    }
    double shift = 0.0;
    if (!timeOfDay(s, p, seconds))
        return false;
    if (iso && !offset(s, p, shift))
        return false;
    seconds -= shift;
    return p == s.size();
}

bool isoDate(std::string_view s, int& year, int& month, int& day, std::size_t& p)
{
    return fixed(s, p, 4, year) && expect(s, p, '-') && fixed(s, p, 2, month) && expect(s, p, '-')
           && fixed(s, p, 2, day);
}

bool dottedDate(std::string_view s, int& year, int& month, int& day, std::size_t& p)
{
    return shortNumber(s, p, day) && expect(s, p, '.') && shortNumber(s, p, month) && expect(s, p, '.')
           && fixed(s, p, 4, year);
}

bool slashedDate(std::string_view s, DateTimeParser::SlashOrder order, int& year, int& month, int& day,
                 std::size_t& p)
{
    int first = 0;
    int second = 0;
    if (!shortNumber(s, p, first) || !expect(s, p, '/') || !shortNumber(s, p, second) || !expect(s, p, '/')
        || !fixed(s, p, 4, year))
        return false;
    const bool dayFirst = order == DateTimeParser::SlashOrder::DayFirst;
    day = dayFirst ? first : second;
    month = dayFirst ? second : first;
    return true;
}

} // namespace

bool DateTimeParser::mayBeDate(std::string_view field)
{
    if (field.empty() || field[0] < '0' || field[0] > '9')
        return false;
    for (std::size_t i = 1; i < field.size() && i < 5; ++i) {
        const char c = field[i];
        if (c == '-' || c == '.' || c == '/' || c == ':')
            return true;
    }
    return false;
}

bool DateTimeParser::slashDayFirst(std::string_view field)
{
    std::size_t p = 0;
    int first = 0;
    return shortNumber(field, p, first) && expect(field, p, '/') && first > 12;
}

bool DateTimeParser::parse(std::string_view s, SlashOrder order, double& seconds)
{
    if (!mayBeDate(s))
        return false;
    int year = 0;
    int month = 0;
    int day = 0;
    std::size_t p = 0;
    bool iso = false;
    if (s.size() >= 5 && s[4] == '-') {
        iso = isoDate(s, year, month, day, p);
        if (!iso)
            return false;
    } else if (s.find('/') < 3) {
        if (!slashedDate(s, order, year, month, day, p))
            return false;
    } else if (s.find('.') < 3) {
        if (!dottedDate(s, year, month, day, p))
            return false;
    } else {
        // A time of day alone.
        double time = 0.0;
        if (!timeOfDay(s, p, time) || p != s.size() || s.size() < 7)
            return false;
        seconds = time;
        return true;
    }
    double time = 0.0;
    if (!validDate(year, month, day) || !timePart(s, p, iso, time))
        return false;
    seconds = double(daysFromCivil(year, month, day)) * 86400.0 + time;
    return true;
}
