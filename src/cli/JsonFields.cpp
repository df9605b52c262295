#include "cli/JsonFields.h"

#include <cmath>

void JsonFields::fail(const QString &path, const QString &problem)
{
    if (ok())
        m_error = QStringLiteral("field \"%1\": %2").arg(path, problem);
}

QJsonValue JsonFields::member(const QJsonObject &object, const QString &key, const QString &path)
{
    const QString full = path.isEmpty() ? key : path + '/' + key;
    if (!object.contains(key)) {
        fail(full, QStringLiteral("missing"));
        return QJsonValue();
    }
    return object.value(key);
}

QJsonObject JsonFields::object(const QJsonValue &value, const QString &path)
{
    if (ok() && !value.isObject())
        fail(path, QStringLiteral("not an object"));
    return value.toObject();
}

QJsonArray JsonFields::array(const QJsonValue &value, const QString &path, int minSize, int maxSize)
{
    if (!ok())
        return {};
    if (!value.isArray()) {
        fail(path, QStringLiteral("not an array"));
        return {};
    }
    const QJsonArray a = value.toArray();
    if (a.size() < minSize || a.size() > maxSize) {
        fail(path, minSize == maxSize
                       ? QStringLiteral("needs %1 elements, has %2").arg(minSize).arg(a.size())
                       : QStringLiteral("needs %1 to %2 elements, has %3")
                             .arg(minSize)
                             .arg(maxSize)
                             .arg(a.size()));
        return {};
    }
    return a;
}

int JsonFields::integer(const QJsonValue &value, const QString &path, int min, int max)
{
    if (!ok())
        return min;
    const double d = value.toDouble(std::nan(""));
    if (!value.isDouble() || d != std::floor(d) || d < min || d > max) {
        fail(path, QStringLiteral("needs a whole number from %1 to %2").arg(min).arg(max));
        return min;
    }
    return int(d);
}

QString JsonFields::string(const QJsonValue &value, const QString &path)
{
    if (ok() && !value.isString())
        fail(path, QStringLiteral("not a string"));
    return value.toString();
}

bool JsonFields::boolean(const QJsonValue &value, const QString &path)
{
    if (ok() && !value.isBool())
        fail(path, QStringLiteral("needs true or false"));
    return value.toBool();
}

int JsonFields::nameOrNumber(const QJsonValue &value, const QString &path, const QStringList &names,
                             int offset, int max)
{
    if (!ok())
        return 0;
    if (value.isString()) {
        const int index = names.indexOf(value.toString());
        if (index < 0)
            fail(path, QStringLiteral("unknown name \"%1\"").arg(value.toString()));
        return index + offset;
    }
    if (!value.isDouble() || max < 0) {
        fail(path,
             max < 0 ? QStringLiteral("needs a name") : QStringLiteral("needs a name or a number"));
        return 0;
    }
    return integer(value, path, 0, max);
}

QByteArray JsonFields::hexBytes(const QJsonValue &value, const QString &path, int maxBytes)
{
    const QString text = string(value, path);
    if (!ok() || text.isEmpty())
        return {};
    QByteArray bytes;
    const auto hexDigit = [](QChar c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    for (const QString &pair : text.split(' ')) {
        // toInt() alone would take a sign: "-1" as FF.
        if (pair.size() != 2 || !hexDigit(pair[0]) || !hexDigit(pair[1])) {
            fail(path, QStringLiteral("\"%1\" is not two hex digits").arg(pair));
            return {};
        }
        bytes.append(char(pair.toInt(nullptr, 16)));
    }
    if (bytes.size() > maxBytes)
        fail(path,
             QStringLiteral("holds %1 bytes, at most %2 fit").arg(bytes.size()).arg(maxBytes));
    return bytes;
}

void JsonFields::onlyKnown(const QJsonObject &object, const QStringList &known, const QString &path)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key()))
            fail(path.isEmpty() ? it.key() : path + '/' + it.key(),
                 QStringLiteral("unknown field"));
    }
}
