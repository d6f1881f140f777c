#include "QStringPrinter.h"
#include "TimeText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// 2024-03-01T12:00:00Z
const double kNoon = 1709294400.0;

struct Shown {
    double seconds;
    bool milliseconds;
    const char* text;
};

TEST(TimeTextTest, FormatsInUtcToTheMillisecond)
{
    const Shown rows[] = {
        {kNoon, false, "2024-03-01 12:00:00"},
        {kNoon + 0.25, true, "2024-03-01 12:00:00.250"},
        {kNoon + 0.9996, false, "2024-03-01 12:00:01"},
        {kNoon + 0.9994, true, "2024-03-01 12:00:00.999"},
        {-0.5, true, "1969-12-31 23:59:59.500"},
        {TimeText::kFirst, false, "0001-01-01 00:00:00"},
        {TimeText::kLast, true, "9999-12-31 23:59:59.999"},
        // Beyond what a date shows, the number stays readable.
        {TimeText::kLast + 1.0, false, "253402300801"},
    };
    for (const Shown& row : rows)
        EXPECT_EQ(TimeText::format(row.seconds, row.milliseconds), row.text) << row.text;
    EXPECT_EQ(TimeText::format(std::numeric_limits<double>::quiet_NaN(), false), "nan");
}

struct Read {
    const char* text;
    bool valid;
    double seconds;
};

TEST(TimeTextTest, ReadsDatesWithOrWithoutTheTime)
{
    const Read rows[] = {
        {"2024-03-01 12:00:00", true, kNoon},
        {"2024-03-01T12:00:00", true, kNoon},
        {" 2024-03-01 12:00 ", true, kNoon},
        {"2024-03-01", true, kNoon - 43200.0},
        {"2024-03-01 12:00:00.5", true, kNoon + 0.5},
        {"2024-03-01 12:00:00.025", true, kNoon + 0.025},
        // An hour that summer time skips in many places exists in UTC.
        {"2024-03-31 02:30:00", true, 1711852200.0},
        {"1969-12-31 23:59:59", true, -1.0},
        {"2023-02-29", false, 0.0},
        {"2024-03-01 24:00:00", false, 0.0},
        {"2024-03-01 12:00:00.1234", false, 0.0},
        {"2024-3-1", false, 0.0},
        {"0000-01-01", false, 0.0},
        {"2024-03-01 12", false, 0.0},
    };
    for (const Read& row : rows) {
        double seconds = 0.0;
        EXPECT_EQ(TimeText::parse(row.text, seconds), row.valid) << row.text;
        if (row.valid) {
            EXPECT_DOUBLE_EQ(seconds, row.seconds) << row.text;
        }
    }
}

TEST(TimeTextTest, PartsOfADateCouldBecomeOne)
{
    for (const char* text : {"", "2", "2024-", "2024-03-01 1", "2024-03-01T12:00:0", "2024-03-01 12:00:00."})
        EXPECT_TRUE(TimeText::couldBecome(text)) << text;
    for (const char* text : {"x", "20245-", "2024-03-01 12h"})
        EXPECT_FALSE(TimeText::couldBecome(text)) << text;
}

} // namespace
