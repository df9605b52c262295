#include "cli/EventJson.h"

#include "cli/JsonFields.h"
#include "core/events/HexText.h"
#include "core/preset/PresetImage.h"

#include <QJsonArray>

namespace {

constexpr int ByteMax = 255;
constexpr int StatusFirst = 0x80;
constexpr int StatusLast = 0xEF;
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
    return fields.integer(value, path, 0, ByteMax);
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
    record[lengthIndex] = json.contains("length")
                              ? fields.integer(json["length"], path + "/length", 0, ByteMax)
                              : data.size() + lengthBias;
    QByteArray rest;
    if (json.contains("padding"))
        rest = fields.hexBytes(json["padding"], path + "/padding", room - data.size());
    const QByteArray payload = data + rest;
    for (int i = 0; i < payload.size() && i < room; ++i)
        record[header + i] = quint8(payload.at(i));
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
    EventKind kind = EventRecords::kindOfCode(code);
    if (kind == EventKind::SysEx && r.isEmpty())
        kind = EventKind::None; // 81-96: in the SysEx range, but no entry
    json["kind"] = kindName(kind);
    const QStringList &ports = EventRecords::midiPortNames();
    switch (kind) {
    case EventKind::Midi:
        json["port"] = nameOrNumber(ports, r[0], 1);
        if (r[1] >= StatusFirst && r[1] <= StatusLast) {
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
    event.code = fields.integer(fields.member(json, "code", path), path + "/code", 1, ByteMax);
    if (!fields.ok())
        return event;
    const auto kind = EventKind(kindIndex);
    PresetImage layout;
    event.record = recordOf(layout, event.code);
    const EventKind codeKind =
        event.record.isEmpty() && EventRecords::kindOfCode(event.code) == EventKind::SysEx
            ? EventKind::None
            : EventRecords::kindOfCode(event.code);
    if (codeKind != kind) {
        fields.fail(path + "/code",
                    QStringLiteral("code %1 is no %2 code").arg(event.code).arg(kindName(kind)));
        return event;
    }
    QVector<int> &r = event.record;
    const QStringList &ports = EventRecords::midiPortNames();
    const auto field = [&](const char *key) { return fields.member(json, key, path); };
    const auto at = [&](const char *key) { return path + '/' + key; };
    QStringList known{"code", "kind"};
    switch (kind) {
    case EventKind::Midi: {
        r[0] = fields.nameOrNumber(field("port"), at("port"), ports, 1, ByteMax);
        if (json.contains("status")) {
            r[1] = fields.integer(json["status"], at("status"), 0, ByteMax);
        } else {
            const int type = fields.nameOrNumber(field("type"), at("type"),
                                                 EventRecords::midiMessageTypeNames(), 0, -1);
            r[1] = EventRecords::statusByte(type,
                                            fields.integer(field("channel"), at("channel"), 1, 16));
        }
        const QJsonArray data = fields.array(field("data"), at("data"), 2, 2);
        r[2] = fields.integer(data.at(0), at("data"), 0, ByteMax);
        r[3] = fields.integer(data.at(1), at("data"), 0, ByteMax);
        // Beside a status byte, a type and channel would go unread.
        known << "port"
              << "data";
        known << (json.contains("status") ? QStringList{"status"} : QStringList{"type", "channel"});
        break;
    }
    case EventKind::SysEx: {
        r[0] = fields.nameOrNumber(field("port"), at("port"), ports, 1, ByteMax);
        const QByteArray data =
            fields.hexBytes(field("data"), at("data"), EventRecords::SysexMaxMessage);
        takePayload(json, path, fields, r, SysexHeader, 1, 1, data);
        known << "port"
              << "data"
              << "length"
              << "padding";
        break;
    }
    case EventKind::Relay:
        r[0] = fields.integer(field("relay"), at("relay"), 0, ByteMax);
        r[1] = fields.nameOrNumber(field("action"), at("action"), EventRecords::relayActionNames(),
                                   0, ByteMax);
        known << "relay"
              << "action";
        break;
    case EventKind::Serial: {
        const bool text = json.contains("text");
        r[1] = json.contains("ascii") ? fields.integer(json["ascii"], at("ascii"), 0, ByteMax)
                                      : (text ? 1 : 0);
        r[2] = flagValue(field("cr"), at("cr"), fields);
        r[3] = flagValue(field("lf"), at("lf"), fields);
        QByteArray data;
        if (text) {
            const QString s = fields.string(json["text"], at("text"));
            if (!HexText::isLatin1(s) || s.size() > EventRecords::SerialMaxData)
                fields.fail(at("text"), QStringLiteral("needs at most %1 Latin-1 characters")
                                            .arg(EventRecords::SerialMaxData));
            data = s.toLatin1();
        } else {
            data = fields.hexBytes(field("data"), at("data"), EventRecords::SerialMaxData);
        }
        takePayload(json, path, fields, r, EventRecords::SerialHeaderSize, 0,
                    EventRecords::SerialHeaderSize, data);
        known << "ascii"
              << "cr"
              << "lf" << (text ? "text" : "data") << "length"
              << "padding";
        break;
    }
    case EventKind::System:
        if (fields.nameOrNumber(field("system event"), at("system event"),
                                EventRecords::systemEventNames(), EventRecords::SystemFirstCode,
                                -1) != event.code)
            fields.fail(at("system event"),
                        QStringLiteral("does not match code %1").arg(event.code));
        known << "system event";
        break;
    case EventKind::Macro:
        if (fields.nameOrNumber(field("macro"), at("macro"), EventRecords::macroActionNames(),
                                EventRecords::MacroFirstCode, -1) != event.code)
            fields.fail(at("macro"), QStringLiteral("does not match code %1").arg(event.code));
        known << "macro";
        break;
    case EventKind::None:
        break;
    }
    fields.onlyKnown(json, known, path);
    return event;
}
