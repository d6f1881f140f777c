#include "TableField.h"

#include "NumberParser.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace {

const double kGap = std::numeric_limits<double>::quiet_NaN();

bool equalsIgnoringCase(std::string_view field, std::string_view word)
{
    if (field.size() != word.size())
        return false;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if ((field[i] | 0x20) != word[i])
            return false;
    }
    return true;
}

bool plain(std::string_view field, double& value)
{
    const char* end = field.data() + field.size();
    return !field.empty() && NumberParser::parsePlainPrefix(field.data(), end, value) == end;
}

} // namespace

bool TableField::isMissing(std::string_view field)
{
    if (field.empty() || field == "-")
        return true;
    for (std::string_view word : {"na", "n/a", "nan", "null"}) {
        if (equalsIgnoringCase(field, word))
            return true;
    }
    return false;
}

TableField::Kind TableField::kindOf(std::string_view field, const Reading& reading)
{
    double value = 0.0;
    if (isMissing(field))
        return Kind::Missing;
    if (plain(field, value))
        return Kind::Number;
    if (DateTimeParser::mayBeDate(field) && DateTimeParser::parse(field, reading.slashOrder, value))
        return Kind::Date;
    return NumberParser::parse(field, reading.decimalComma, value) ? Kind::Number : Kind::Text;
}

double TableField::number(std::string_view field, const Reading& reading)
{
    double value = 0.0;
    if (plain(field, value))
        return value;
    if (isMissing(field) || !NumberParser::parse(field, reading.decimalComma, value))
        return kGap;
    return value;
}

double TableField::date(std::string_view field, const Reading& reading)
{
    double seconds = 0.0;
    return DateTimeParser::parse(field, reading.slashOrder, seconds) ? seconds : kGap;
}

QString TableField::text(std::string_view field)
{
    const int size = int(std::min<std::size_t>(field.size(), INT_MAX));
    const QString utf8 = QString::fromUtf8(field.data(), size);
    return utf8.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(field.data(), size) : utf8;
}
