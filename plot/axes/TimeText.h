#pragma once

#include <QString>

// Dates and times as the plot writes and reads them: seconds since 1970-01-01T00:00:00 UTC,
// shown in UTC as "yyyy-MM-dd hh:mm:ss", with ".zzz" where milliseconds matter.
class TimeText
{
public:
    // The span a date and time can show: 0001-01-01T00:00:00 to 9999-12-31T23:59:59.999.
    static constexpr double kFirst = -62135596800.0;
    static constexpr double kLast = 253402300799.999;

    static bool showable(double seconds);
    // Whole milliseconds; seconds outside the showable span, and NaN, come out as a number.
    static QString format(double seconds, bool milliseconds);
    // "yyyy-MM-dd", then optionally " hh:mm", ":ss" and "." with one to three digits of the
    // second; a "T" may stand for the space. False for anything else and for dates that do
    // not exist.
    static bool parse(const QString& text, double& seconds);
    // Whether more typing could still make `text` a date and time.
    static bool couldBecome(const QString& text);
};
