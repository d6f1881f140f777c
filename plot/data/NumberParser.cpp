#include "NumberParser.h"

#include <QString>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view trimmedAscii(std::string_view s)
{
    while (!s.empty() && isAsciiSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isAsciiSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool startsWithByteOrderMark(std::string_view s)
{
    return s.size() >= 3 && s[0] == '\xEF' && s[1] == '\xBB' && s[2] == '\xBF';
}

// from_chars reads no leading plus, which Qt allows; a plus before a minus is no sign at all.
// Null for that case, else where the number proper starts.
const char* pastPlusSign(const char* begin, const char* end)
{
    if (begin == end || *begin != '+')
        return begin;
    ++begin;
    return begin != end && *begin == '-' ? nullptr : begin;
}

// A number of C's syntax whose magnitude no double holds: the C library's strtod rounds it to
// an infinity or a zero of its sign, with the decimal point whatever the program's locale.
bool readBeyondRange(const char* begin, const char* end, double& value)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    if (!cLocale)
        return false;
    value = strtod_l(std::string(begin, end).c_str(), nullptr, cLocale);
    return true;
}

} // namespace

bool NumberParser::parse(std::string_view field, bool decimalComma, double& value)
{
    const std::string_view trimmed = trimmedAscii(field);
    const char* end = trimmed.data() + trimmed.size();
    if (!trimmed.empty() && parsePlainPrefix(trimmed.data(), end, value) == end)
        return true;
    if (decimalComma && field.find(',') != std::string_view::npos) {
        std::string pointed(field);
        for (char& c : pointed) {
            if (c == ',')
                c = '.';
        }
        return parse(pointed, false, value);
    }
    return parseWithQt(field, value) || parseBeyondQt(trimmed, value);
}

// from_chars rounds exactly as Qt does. Infinities, NaNs and values out of range are left to
// the slower readers.
const char* NumberParser::parsePlainPrefix(const char* begin, const char* end, double& value)
{
    begin = pastPlusSign(begin, end);
    if (!begin)
        return nullptr;
    double parsed = 0.0;
    const auto result = std::from_chars(begin, end, parsed);
    if (result.ec != std::errc() || !std::isfinite(parsed))
        return nullptr;
    value = parsed;
    return result.ptr;
}

bool NumberParser::parseWithQt(std::string_view field, double& value)
{
    value = 0.0;
    // QString::fromUtf8 would drop a leading byte-order mark, which inside a field is no blank.
    if (startsWithByteOrderMark(field) || field.size() > std::size_t(INT_MAX))
        return false;
    bool ok = false;
    const double parsed = QString::fromUtf8(field.data(), int(field.size())).trimmed().toDouble(&ok);
    if (ok)
        value = parsed;
    return ok;
}

// What Qt refuses but the C library reads in full: NaN and infinity in every sign and spelling,
// and magnitudes beyond a double. from_chars takes strtod's forms but the hexadecimal ones, so
// it decides what is a number; for a magnitude beyond range it gives no value, and strtod does.
bool NumberParser::parseBeyondQt(std::string_view trimmed, double& value)
{
    const char* const end = trimmed.data() + trimmed.size();
    const char* const begin = pastPlusSign(trimmed.data(), end);
    if (!begin)
        return false;
    double parsed = 0.0;
    const auto result = std::from_chars(begin, end, parsed);
    if (result.ptr != end)
        return false;
    if (result.ec == std::errc::result_out_of_range)
        return readBeyondRange(begin, end, value);
    if (result.ec != std::errc())
        return false;
    value = parsed;
    return true;
}
