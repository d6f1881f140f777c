// NumberParser against Qt and the C library: a field is a number exactly when Qt reads the
// trimmed field as one, with the same bits, or, where Qt refuses it, when strtod reads the
// whole ASCII-trimmed field in one of its decimal forms, with the same value (any NaN for a
// NaN); with a decimal comma, when they read it with every comma made a point. The field is
// decoded behind a blank, as inside a line: Qt's decoder drops a byte-order mark at the very
// start of its input, but in a field it is a character that makes the field no number.

#include "FuzzCheck.h"
#include "NumberParser.h"

#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <string_view>

namespace {

struct Reading {
    bool ok = false;
    double value = 0.0;
};

Reading qtReading(std::string_view field, bool decimalComma)
{
    const std::string behindBlank = " " + std::string(field);
    QString text = QString::fromUtf8(behindBlank.data(), int(behindBlank.size()));
    if (decimalComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    Reading reading;
    const double value = text.trimmed().toDouble(&reading.ok);
    reading.value = reading.ok ? value : 0.0;
    return reading;
}

// Hexadecimal numbers are strtod's own and no data file's.
Reading cReading(std::string_view field, bool decimalComma)
{
    const char* const blanks = " \t\n\v\f\r";
    std::string text(field);
    text.erase(0, text.find_first_not_of(blanks));
    text.erase(text.find_last_not_of(blanks) + 1);
    if (decimalComma)
        std::replace(text.begin(), text.end(), ',', '.');
    const std::size_t digits = text.find_first_not_of("+-");
    if (text.empty() || text.find('\0') != std::string::npos || text.compare(0, 2, "+-") == 0
        || (digits != std::string::npos && (text.compare(digits, 2, "0x") == 0 || text.compare(digits, 2, "0X") == 0)))
        return {};
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, c);
    if (end != text.c_str() + text.size())
        return {};
    return {true, value};
}

bool sameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || fuzz::bitsOf(a) == fuzz::bitsOf(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= std::size_t(INT_MAX))
        return 0;
    const std::string_view field(reinterpret_cast<const char*>(data), size);
    for (bool decimalComma : {false, true}) {
        const Reading qt = qtReading(field, decimalComma);
        const Reading expected = qt.ok ? qt : cReading(field, decimalComma);
        double value = -1.0;
        const bool ok = NumberParser::parse(field, decimalComma, value);
        fuzz::check(ok == expected.ok, "a number exactly where Qt or else strtod reads one");
        fuzz::check(sameValue(value, expected.value), "their value to the bit, +0 where there is no number");
    }
    return 0;
}
