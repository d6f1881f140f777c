#include "NumberParser.h"

#include <QString>

#include <charconv>
#include <climits>
#include <cmath>
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

} // namespace

bool NumberParser::parse(std::string_view field, bool decimalComma, double& value)
{
    if (parsePlain(trimmedAscii(field), value))
        return true;
    if (decimalComma && field.find(',') != std::string_view::npos) {
        std::string pointed(field);
        for (char& c : pointed) {
            if (c == ',')
                c = '.';
        }
        return parse(pointed, false, value);
    }
    return parseWithQt(field, value);
}

// Digits with an optional sign, point and exponent. from_chars rounds exactly as Qt does;
// infinities, NaNs and values out of range are left to Qt, which rejects some of them.
bool NumberParser::parsePlain(std::string_view field, double& value)
{
    const char* begin = field.data();
    const char* end = begin + field.size();
    if (begin != end && *begin == '+') {
        ++begin;
        if (begin != end && (*begin == '-' || *begin == '+'))
            return false;
    }
    double parsed = 0.0;
    const auto result = std::from_chars(begin, end, parsed);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
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
