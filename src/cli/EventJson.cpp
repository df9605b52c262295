#include "cli/EventJson.h"

#include "cli/JsonFields.h"
#include "core/events/HexText.h"
#include "core/preset/PresetImage.h"

#include <QJsonArray>

namespace {

constexpr int SysexHeader = 2;

const QStringList KindNames{"None", "MIDI", "SysEx", "Relay", "System", "Macro", "Serial"};

QJsonValue nameOrNumber(const QStringList &names, int value, int offset)
{
    const int index = value - offset;
    if (index >= 0 && index < names.size())
        return names.at(index);
    return value;
}

QJsonValue flag(int value)
{
    if (value == 0 || value == 1)
        return value == 1;
    return value;
}

int flagValue(const QJsonValue &value, const QString &path, JsonFields &fields)
{
    if (value.isBool())
        return value.toBool() ? 1 : 0;
    return fields.integer(value, path, 0, JsonFields::ByteMax);
}

QByteArray bytesOf(const QVector<int> &record, int from, int count)
{
    QByteArray bytes;
    for (int i = from; i < from + count && i < record.size(); ++i)
        bytes.append(char(record.at(i)));
    return bytes;
}

// The message or data of a SysEx or serial record, its length byte when the
// data does not give it, and whatever lies after the data.
void putPayload(QJsonObject &json, const QVector<int> &record, int header, int lengthByte,
                int lengthBias, const QString &dataKey, bool asText)
{
    const int room = record.size() - header;
    const int count = qBound(0, lengthByte - lengthBias, room);
    const QByteArray data = bytesOf(record, header, count);
    json[dataKey] = asText ? QJsonValue(QString::fromLatin1(data.constData(), data.size()))
                           : HexText::format(data);
    if (lengthByte != count + lengthBias)
        json["length"] = lengthByte;
    const QByteArray padding = bytesOf(record, header + count, room - count);
    if (padding.count('\0') != padding.size())
        json["padding"] = HexText::format(padding);
}

void takePayload(const QJsonObject &json, const QString &path, JsonFields &fields,
                 QVector<int> &record, int header, int lengthIndex, int lengthBias,
                 const QByteArray &data)
{
    const int room = record.size() - header;
    record[lengthIndex] = json.contains("length") ? fields.integer(json["length"], path + "/length",
                                                                   0, JsonFields::ByteMax)
                                                  : data.size() + lengthBias;
    QByteArray rest;
    if (json.contains("padding"))
        rest = fields.hexBytes(json["padding"], path + "/padding", room - data.size());
    const QByteArray payload = data + rest;
    for (int i = 0; i < payload.size() && i < room; ++i)
        record[header + i] = quint8(payload.at(i));
}

// Codes 81-96 lie in the SysEx range but name no entry: they have no kind.
EventKind kindOf(int code, const QVector<int> &record)
{
    const EventKind kind = EventRecords::kindOfCode(code);
    return kind == EventKind::SysEx && record.isEmpty() ? EventKind::None : kind;
}

// The members of one event object, each read under its own path.
struct EventFields
{
    const QJsonObject &json;
    const QString &path;
    JsonFields &fields;

    QJsonValue field(const char *key) const { return fields.member(json, key, path); }
    QString at(const char *key) const { return path + '/' + key; }
    int port() const
    {
        return fields.nameOrNumber(field("port"), at("port"), EventRecords::midiPortNames(), 1,
                                   JsonFields::ByteMax);
    }
};

// Each reader below fills the record of its kind and gives the members it read.
QStringList readMidi(const EventFields &e, QVector<int> &r)
{
    JsonFields &fields = e.fields;
    r[0] = e.port();
    if (e.json.contains("status")) {
        r[1] = fields.integer(e.json["status"], e.at("status"), 0, JsonFields::ByteMax);
    } else {
        const int type = fields.nameOrNumber(e.field("type"), e.at("type"),
                                             EventRecords::midiMessageTypeNames(), 0, -1);
        r[1] = EventRecords::statusByte(type,
                                        fields.integer(e.field("channel"), e.at("channel"), 1, 16));
    }
    const QJsonArray data = fields.array(e.field("data"), e.at("data"), 2, 2);
    r[2] = fields.integer(data.at(0), e.at("data"), 0, JsonFields::ByteMax);
    r[3] = fields.integer(data.at(1), e.at("data"), 0, JsonFields::ByteMax);
    // Beside a status byte, a type and channel would go unread.
    return QStringList{"port", "data"} +
           (e.json.contains("status") ? QStringList{"status"} : QStringList{"type", "channel"});
}

QStringList readSysex(const EventFields &e, QVector<int> &r)
{
    r[0] = e.port();
    const QByteArray data =
        e.fields.hexBytes(e.field("data"), e.at("data"), EventRecords::SysexMaxMessage);
    takePayload(e.json, e.path, e.fields, r, SysexHeader, 1, 1, data);
    return {"port", "data", "length", "padding"};
}

QStringList readRelay(const EventFields &e, QVector<int> &r)
{
    r[0] = e.fields.integer(e.field("relay"), e.at("relay"), 0, JsonFields::ByteMax);
    r[1] = e.fields.nameOrNumber(e.field("action"), e.at("action"),
                                 EventRecords::relayActionNames(), 0, JsonFields::ByteMax);
    return {"relay", "action"};
}

QStringList readSerial(const EventFields &e, QVector<int> &r)
{
    JsonFields &fields = e.fields;
    const bool text = e.json.contains("text");
    r[1] = e.json.contains("ascii")
               ? fields.integer(e.json["ascii"], e.at("ascii"), 0, JsonFields::ByteMax)
               : (text ? 1 : 0);
    r[2] = flagValue(e.field("cr"), e.at("cr"), fields);
    r[3] = flagValue(e.field("lf"), e.at("lf"), fields);
    QByteArray data;
    if (text) {
        const QString s = fields.string(e.json["text"], e.at("text"));
        if (!HexText::isLatin1(s) || s.size() > EventRecords::SerialMaxData)
            fields.fail(e.at("text"), QStringLiteral("needs at most %1 Latin-1 characters")
                                          .arg(EventRecords::SerialMaxData));
        data = s.toLatin1();
    } else {
        data = fields.hexBytes(e.field("data"), e.at("data"), EventRecords::SerialMaxData);
    }
    takePayload(e.json, e.path, fields, r, EventRecords::SerialHeaderSize, 0,
                EventRecords::SerialHeaderSize, data);
    return {"ascii", "cr", "lf", text ? "text" : "data", "length", "padding"};
}

// A system event or macro has no record: its name only has to agree with its code.
QStringList readName(const EventFields &e, const char *key, const QStringList &names, int firstCode,
                     int code)
{
    if (e.fields.nameOrNumber(e.field(key), e.at(key), names, firstCode, -1) != code)
        e.fields.fail(e.at(key), QStringLiteral("does not match code %1").arg(code));
    return {key};
}

} // namespace

QString EventJson::kindName(EventKind kind)
{
    return KindNames.value(int(kind));
}

QVector<int> EventJson::recordOf(const PresetImage &image, int code)
{
    const int entry = EventRecords::poolEntryOfCode(image, code);
    if (entry < 0)
        return {};
    const auto pool = PresetImage::Region(EventRecords::poolRegion(EventRecords::kindOfCode(code)));
    QVector<int> record;
    for (int i = 0; i < image.columns(pool); ++i)
        record << image.value(pool, entry, i);
    return record;
}

void EventJson::storeRecord(PresetImage &image, int code, const QVector<int> &record)
{
    const int entry = EventRecords::poolEntryOfCode(image, code);
    if (entry < 0)
        return;
    const auto pool = PresetImage::Region(EventRecords::poolRegion(EventRecords::kindOfCode(code)));
    for (int i = 0; i < record.size(); ++i)
        image.setValue(pool, entry, i, record.at(i));
}

QJsonObject EventJson::toJson(const PresetImage &image, int code)
{
    QJsonObject json;
    json["code"] = code;
    const QVector<int> r = recordOf(image, code);
    const EventKind kind = kindOf(code, r);
    json["kind"] = kindName(kind);
    const QStringList &ports = EventRecords::midiPortNames();
    switch (kind) {
    case EventKind::Midi:
        json["port"] = nameOrNumber(ports, r[0], 1);
        if (r[1] >= EventRecords::StatusFirst && r[1] <= EventRecords::StatusLast) {
            json["type"] =
                EventRecords::midiMessageTypeNames().at(EventRecords::typeOfStatus(r[1]));
            json["channel"] = EventRecords::channelOfStatus(r[1]);
        } else {
            json["status"] = r[1];
        }
        json["data"] = QJsonArray{r[2], r[3]};
        break;
    case EventKind::SysEx:
        json["port"] = nameOrNumber(ports, r[0], 1);
        putPayload(json, r, SysexHeader, r[1], 1, "data", false);
        break;
    case EventKind::Relay:
        json["relay"] = r[0];
        json["action"] = nameOrNumber(EventRecords::relayActionNames(), r[1], 0);
        break;
    case EventKind::Serial:
        if (r[1] != 0 && r[1] != 1)
            json["ascii"] = r[1];
        json["cr"] = flag(r[2]);
        json["lf"] = flag(r[3]);
        putPayload(json, r, EventRecords::SerialHeaderSize, r[0], EventRecords::SerialHeaderSize,
                   r[1] == 1 ? "text" : "data", r[1] == 1);
        break;
    case EventKind::System:
        json["system event"] =
            EventRecords::systemEventNames().at(code - EventRecords::SystemFirstCode);
        break;
    case EventKind::Macro:
        json["macro"] = EventRecords::macroActionNames().at(code - EventRecords::MacroFirstCode);
        break;
    case EventKind::None:
        break;
    }
    return json;
}

EventJson::Event EventJson::fromJson(const QJsonObject &json, const QString &path,
                                     JsonFields &fields)
{
    Event event;
    const int kindIndex =
        KindNames.indexOf(fields.string(fields.member(json, "kind", path), path + "/kind"));
    if (fields.ok() && kindIndex < 0)
        fields.fail(path + "/kind",
                    QStringLiteral("unknown kind \"%1\"").arg(json["kind"].toString()));
    event.code = fields.integer(fields.member(json, "code", path), path + "/code", 1, LastCode);
    if (!fields.ok())
        return event;
    const auto kind = EventKind(kindIndex);
    const PresetImage layout;
    event.record = recordOf(layout, event.code);
    if (kindOf(event.code, event.record) != kind) {
        fields.fail(path + "/code",
                    QStringLiteral("code %1 is no %2 code").arg(event.code).arg(kindName(kind)));
        return event;
    }
    const EventFields e{json, path, fields};
    QStringList known{"code", "kind"};
    switch (kind) {
    case EventKind::Midi:
        known << readMidi(e, event.record);
        break;
    case EventKind::SysEx:
        known << readSysex(e, event.record);
        break;
    case EventKind::Relay:
        known << readRelay(e, event.record);
        break;
    case EventKind::Serial:
        known << readSerial(e, event.record);
        break;
    case EventKind::System:
        known << readName(e, "system event", EventRecords::systemEventNames(),
                          EventRecords::SystemFirstCode, event.code);
        break;
    case EventKind::Macro:
        known << readName(e, "macro", EventRecords::macroActionNames(),
                          EventRecords::MacroFirstCode, event.code);
        break;
    case EventKind::None:
        break;
    }
    fields.onlyKnown(json, known, path);
    return event;
}
