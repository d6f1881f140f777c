#include "JsonFields.h"

#include <QJsonValue>

#include <cmath>

JsonFields::JsonFields(const QJsonObject& object, const QString& path, QString& reason)
    : members(object)
    , path(path)
    , reason(reason)
{
}

QString JsonFields::pathOf(const char* key) const
{
    const QString name = QLatin1String(key);
    return path.isEmpty() ? name : path + QLatin1Char('.') + name;
}

bool JsonFields::refuse(const char* key, const QString& problem)
{
    reason = QStringLiteral("%1 %2").arg(pathOf(key), problem);
    return false;
}

bool JsonFields::refuse(const char* key, int index, const QString& problem)
{
    reason = QStringLiteral("%1[%2] %3").arg(pathOf(key)).arg(index).arg(problem);
    return false;
}

bool JsonFields::take(const char* key, QJsonValue& value, QJsonValue::Type type, const char* kind)
{
    const auto found = members.constFind(QLatin1String(key));
    if (found == members.constEnd())
        return refuse(key, QStringLiteral("is missing"));
    value = found.value();
    if (value.type() != type)
        return refuse(key, QStringLiteral("is not %1").arg(QLatin1String(kind)));
    return true;
}

bool JsonFields::number(const char* key, double minimum, double maximum, double& value)
{
    QJsonValue found;
    if (!take(key, found, QJsonValue::Double, "a number"))
        return false;
    const double v = found.toDouble();
    if (!(v >= minimum && v <= maximum))
        return refuse(key, QStringLiteral("is %1, not from %2 to %3").arg(v).arg(minimum).arg(maximum));
    value = v;
    return true;
}

bool JsonFields::number(const char* key, double& value)
{
    QJsonValue found;
    if (!take(key, found, QJsonValue::Double, "a number"))
        return false;
    if (!std::isfinite(found.toDouble()))
        return refuse(key, QStringLiteral("is not a finite number"));
    value = found.toDouble();
    return true;
}

bool JsonFields::whole(const char* key, double minimum, double maximum, double& value)
{
    double v = 0;
    if (!number(key, minimum, maximum, v))
        return false;
    if (v != std::floor(v))
        return refuse(key, QStringLiteral("is %1, not a whole number").arg(v));
    value = v;
    return true;
}

bool JsonFields::whole(const char* key, int minimum, int maximum, int& value)
{
    double v = 0;
    if (!whole(key, double(minimum), double(maximum), v))
        return false;
    value = int(v);
    return true;
}

bool JsonFields::flag(const char* key, bool& value)
{
    QJsonValue found;
    if (!take(key, found, QJsonValue::Bool, "true or false"))
        return false;
    value = found.toBool();
    return true;
}

bool JsonFields::text(const char* key, QString& value)
{
    QJsonValue found;
    if (!take(key, found, QJsonValue::String, "a text"))
        return false;
    value = found.toString();
    return true;
}

namespace {

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

bool JsonFields::colour(const char* key, quint32& value)
{
    QString text;
    if (!JsonFields::text(key, text))
        return false;
    bool digits = text.size() == 9 && text.startsWith(QLatin1Char('#'));
    for (int i = 1; digits && i < text.size(); ++i)
        digits = isHexDigit(text[i]);
    if (!digits)
        return refuse(key, QStringLiteral("is \"%1\", not a colour #AARRGGBB").arg(text));
    value = text.mid(1).toUInt(nullptr, 16);
    return true;
}

bool JsonFields::choice(const char* key, const QStringList& names, int first, int& value)
{
    QString text;
    if (!JsonFields::text(key, text))
        return false;
    const int index = names.indexOf(text);
    if (index < 0)
        return refuse(key, QStringLiteral("is \"%1\", not one of %2").arg(text, names.join(QStringLiteral(", "))));
    value = first + index;
    return true;
}

bool JsonFields::object(const char* key, QJsonObject& value)
{
    QJsonValue found;
    if (!take(key, found, QJsonValue::Object, "an object"))
        return false;
    value = found.toObject();
    return true;
}

bool JsonFields::array(const char* key, QJsonArray& value)
{
    QJsonValue found;
    if (!take(key, found, QJsonValue::Array, "a list"))
        return false;
    value = found.toArray();
    return true;
}

bool JsonFields::array(const char* key, int length, QJsonArray& value)
{
    if (!array(key, value))
        return false;
    if (value.size() != length)
        return refuse(key, QStringLiteral("has %1 entries, not %2").arg(value.size()).arg(length));
    return true;
}
