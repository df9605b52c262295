#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// Reads the fields of a JSON preset and remembers the first one that is
// missing or malformed, by its path ("General/Setup Macro"). After the first
// error every read returns a harmless default, so a reader can go on without
// checking each field and ask ok() at the end.
class JsonFields
{
public:
    // The largest value a byte of the preset holds.
    static constexpr int ByteMax = 255;

    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    void fail(const QString &path, const QString &problem);

    // The member `key` of `object`; a missing member is an error.
    QJsonValue member(const QJsonObject &object, const QString &key, const QString &path);
    QJsonObject object(const QJsonValue &value, const QString &path);
    QJsonArray array(const QJsonValue &value, const QString &path, int minSize = 0,
                     int maxSize = 1 << 30);
    int integer(const QJsonValue &value, const QString &path, int min, int max);
    QString string(const QJsonValue &value, const QString &path);
    bool boolean(const QJsonValue &value, const QString &path);
    // A name of the list (its position + `offset`), or a number up to `max`.
    int nameOrNumber(const QJsonValue &value, const QString &path, const QStringList &names,
                     int offset, int max);
    // Bytes written as two hex digits each, separated by single blanks.
    QByteArray hexBytes(const QJsonValue &value, const QString &path, int maxBytes);
    // Fails for every member of `object` not among `known`.
    void onlyKnown(const QJsonObject &object, const QStringList &known, const QString &path);

private:
    QString m_error;
};
