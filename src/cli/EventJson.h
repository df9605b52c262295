#pragma once

#include "core/events/EventRecords.h"

#include <QJsonObject>
#include <QVector>

class JsonFields;
class PresetImage;

// One event as JSON: its code, its kind and, for a kind with a record, the
// record's fields by name, with the window's names for ports, types, actions,
// system events and macros. A field the names cannot show (a byte a loaded
// image may hold) is written as its number, and bytes beyond a record's length
// as "padding", so that every record reads back to the same bytes.
class EventJson
{
public:
    // A slot byte names codes 1 to 255.
    static constexpr int LastCode = 255;

    static QString kindName(EventKind kind);
    static QJsonObject toJson(const PresetImage &image, int code);

    struct Event
    {
        int code = 0;
        // The whole pool entry for a kind with a record, else empty.
        QVector<int> record;
    };
    // The event the fields describe; errors go to `fields`.
    static Event fromJson(const QJsonObject &json, const QString &path, JsonFields &fields);

    // Every byte of the pool entry `code` names, or an empty vector.
    static QVector<int> recordOf(const PresetImage &image, int code);
    static void storeRecord(PresetImage &image, int code, const QVector<int> &record);
};
