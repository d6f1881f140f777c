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
    return parseWithQt(field, value);
}

// from_chars rounds exactly as Qt does. Infinities, NaNs and values out of range are left to
// Qt, which rejects some of them.
const char* NumberParser::parsePlainPrefix(const char* begin, const char* end, double& value)
{
    if (begin != end && *begin == '+') {
        ++begin;
        if (begin != end && *begin == '-')
            return nullptr;
    }
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
