#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// The checked reading of one JSON object of a project description. Every getter wants its
// key present with a value of the right type and range; the first one that does not get it
// writes the reason, naming the field by its path ("curves[2].pen.width"), and returns false,
// so that a chain of getters joined by && stops at the first fault.
class JsonFields
{
public:
    JsonFields(const QJsonObject& object, const QString& path, QString& reason);

    bool number(const char* key, double minimum, double maximum, double& value);
    // Any finite number.
    bool number(const char* key, double& value);
    bool whole(const char* key, double minimum, double maximum, double& value);
    bool whole(const char* key, int minimum, int maximum, int& value);
    bool flag(const char* key, bool& value);
    bool text(const char* key, QString& value);
    // "#AARRGGBB", in either case.
    bool colour(const char* key, quint32& value);
    // One of `names`; `value` is its index plus `first`.
    bool choice(const char* key, const QStringList& names, int first, int& value);
    bool object(const char* key, QJsonObject& value);
    bool array(const char* key, int length, QJsonArray& value);
    bool array(const char* key, QJsonArray& value);

    // The path of a member, for the fields of a nested object.
    QString pathOf(const char* key) const;
    // Writes the reason for `key`, or for entry `index` of the list `key`, and returns false.
    bool refuse(const char* key, const QString& problem);
    bool refuse(const char* key, int index, const QString& problem);

private:
    bool take(const char* key, QJsonValue& value, QJsonValue::Type type, const char* kind);

    const QJsonObject members;
    const QString path;
    QString& reason;
};
