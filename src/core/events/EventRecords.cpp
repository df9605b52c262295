#include "core/events/EventRecords.h"

#include "core/preset/FunctionNames.h"
#include "core/preset/PresetImage.h"

#include <QtGlobal>

namespace {

constexpr int MidiEntries = 64;
constexpr int SysexEntries = 16;
constexpr int RelayEntries = 32;
constexpr int SerialEntries = 16;

bool isChannelStatus(int status)
{
    return status >= EventRecords::StatusFirst && status <= EventRecords::StatusLast;
}

QString portText(int port)
{
    const QStringList &names = EventRecords::midiPortNames();
    if (port >= 1 && port <= names.size())
        return names.at(port - 1);
    return QStringLiteral("Unknown Port %1").arg(port);
}

QString translated(EventRecords::Translate translate, const QString &text)
{
    return translate ? translate(text) : text;
}

int byteAt(const PresetImage &image, PresetImage::Region pool, int entry, int index)
{
    return image.value(pool, entry, index);
}

} // namespace

EventKind EventRecords::kindOfCode(int code)
{
    if (code >= MidiFirstCode && code < SysexFirstCode)
        return EventKind::Midi;
    if (code >= SysexFirstCode && code <= SysexLastRangeCode)
        return EventKind::SysEx;
    if (code >= RelayFirstCode && code < MacroFirstCode)
        return EventKind::Relay;
    if (code >= MacroFirstCode && code <= MacroLastCode)
        return EventKind::Macro;
    if (code >= SerialFirstCode && code < SerialFirstCode + SerialEntries)
        return EventKind::Serial;
    if (code >= SystemFirstCode && code <= SystemLastCode)
        return EventKind::System;
    return EventKind::None;
}

int EventRecords::poolRegion(EventKind kind)
{
    switch (kind) {
    case EventKind::Midi:
        return PresetImage::MidiEventPool;
    case EventKind::SysEx:
        return PresetImage::SysexEventPool;
    case EventKind::Relay:
        return PresetImage::RelayEventPool;
    case EventKind::Serial:
        return PresetImage::SerialEventPool;
    default:
        return -1;
    }
}

int EventRecords::poolEntryOfCode(const PresetImage &image, int code)
{
    const EventKind kind = kindOfCode(code);
    const int region = poolRegion(kind);
    if (region < 0)
        return -1;
    const int entry = code - codeOfEntry(kind, 0);
    return entry < image.rows(static_cast<PresetImage::Region>(region)) ? entry : -1;
}

int EventRecords::codeOfEntry(EventKind kind, int entry)
{
    int first = 0;
    int count = 0;
    switch (kind) {
    case EventKind::Midi:
        first = MidiFirstCode;
        count = MidiEntries;
        break;
    case EventKind::SysEx:
        first = SysexFirstCode;
        count = SysexEntries;
        break;
    case EventKind::Relay:
        first = RelayFirstCode;
        count = RelayEntries;
        break;
    case EventKind::Serial:
        first = SerialFirstCode;
        count = SerialEntries;
        break;
    default:
        return 0;
    }
    return entry >= 0 && entry < count ? first + entry : 0;
}

const QStringList &EventRecords::systemEventNames()
{
    static const QStringList names = {
        QT_TRANSLATE_NOOP("Preset", "Front Lamp A On"),
        QT_TRANSLATE_NOOP("Preset", "Front Lamp A Off"),
        QT_TRANSLATE_NOOP("Preset", "Front Lamp B On"),
        QT_TRANSLATE_NOOP("Preset", "Front Lamp B Off"),
        QT_TRANSLATE_NOOP("Preset", "Rear Lamp A On"),
        QT_TRANSLATE_NOOP("Preset", "Rear Lamp A Off"),
        QT_TRANSLATE_NOOP("Preset", "Rear Lamp B On"),
        QT_TRANSLATE_NOOP("Preset", "Rear Lamp B Off"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Front Lamp A"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Front Lamp B"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Rear Lamp A"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Rear Lamp B"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Front Lamp A Flash"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Front Lamp B Flash"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Rear Lamp A Flash"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Rear Lamp B Flash"),
        QT_TRANSLATE_NOOP("Preset", "Switch Video 1:A"),
        QT_TRANSLATE_NOOP("Preset", "Switch Video 1:B"),
        QT_TRANSLATE_NOOP("Preset", "Switch Video 2:A"),
        QT_TRANSLATE_NOOP("Preset", "Switch Video 2:B"),
        QT_TRANSLATE_NOOP("Preset", "Switch USB:A"),
        QT_TRANSLATE_NOOP("Preset", "Switch USB:B"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Video 1"),
        QT_TRANSLATE_NOOP("Preset", "Toggle Video 2"),
        QT_TRANSLATE_NOOP("Preset", "Toggle USB"),
        QT_TRANSLATE_NOOP("Preset", "Toggle KVM"),
        QT_TRANSLATE_NOOP("Preset", "Toggle KVM Preview"),
        QT_TRANSLATE_NOOP("Preset", "Recall MIDI Patch A"),
        QT_TRANSLATE_NOOP("Preset", "Recall MIDI Patch B"),
        QT_TRANSLATE_NOOP("Preset", "Toggle MIDI Patch"),
        QT_TRANSLATE_NOOP("Preset", "Set MIDI Group 1 Active"),
        QT_TRANSLATE_NOOP("Preset", "Set MIDI Group 2 Active"),
        QT_TRANSLATE_NOOP("Preset", "Set MIDI Group 3 Active"),
        QT_TRANSLATE_NOOP("Preset", "Set MIDI Group 4 Active"),
        QT_TRANSLATE_NOOP("Preset", "Suspend 50ms"),
        QT_TRANSLATE_NOOP("Preset", "Suspend 100ms"),
        QT_TRANSLATE_NOOP("Preset", "Suspend 200ms"),
        QT_TRANSLATE_NOOP("Preset", "Suspend 500ms"),
    };
    return names;
}

const QStringList &EventRecords::midiMessageTypeNames()
{
    static const QStringList names = {QT_TRANSLATE_NOOP("Preset", "Note Off"),
                                      QT_TRANSLATE_NOOP("Preset", "Note On"),
                                      QT_TRANSLATE_NOOP("Preset", "Key Pressure"),
                                      QT_TRANSLATE_NOOP("Preset", "Control Change"),
                                      QT_TRANSLATE_NOOP("Preset", "Program Change"),
                                      QT_TRANSLATE_NOOP("Preset", "Channel Pressure"),
                                      QT_TRANSLATE_NOOP("Preset", "Pitch Bend")};
    return names;
}

const QStringList &EventRecords::relayActionNames()
{
    static const QStringList names = {
        QT_TRANSLATE_NOOP("Preset", "Turn ON"), QT_TRANSLATE_NOOP("Preset", "Turn OFF"),
        QT_TRANSLATE_NOOP("Preset", "Pulse ON"), QT_TRANSLATE_NOOP("Preset", "Pulse OFF")};
    return names;
}

const QStringList &EventRecords::midiPortNames()
{
    static const QStringList names = {QT_TRANSLATE_NOOP("Preset", "MIDI Group 1"),
                                      QT_TRANSLATE_NOOP("Preset", "MIDI Group 2"),
                                      QT_TRANSLATE_NOOP("Preset", "MIDI Group 3"),
                                      QT_TRANSLATE_NOOP("Preset", "MIDI Group 4"),
                                      QT_TRANSLATE_NOOP("Preset", "USB A"),
                                      QT_TRANSLATE_NOOP("Preset", "USB B"),
                                      QT_TRANSLATE_NOOP("Preset", "USB A+B"),
                                      QT_TRANSLATE_NOOP("Preset", "Active USB"),
                                      QT_TRANSLATE_NOOP("Preset", "Active MIDI Group")};
    return names;
}

const QStringList &EventRecords::macroActionNames()
{
    // The twelve macros are named as the tree names them, then the pairs.
    static const QStringList names = FunctionNames::macroNames()
                                     << QT_TRANSLATE_NOOP("Preset", "Toggle Pair 1-2")
                                     << QT_TRANSLATE_NOOP("Preset", "Toggle Pair 3-4")
                                     << QT_TRANSLATE_NOOP("Preset", "Toggle Pair 5-6")
                                     << QT_TRANSLATE_NOOP("Preset", "Toggle Pair 7-8");
    return names;
}

const QStringList &EventRecords::relayNumberNames()
{
    static const QStringList names = {"1", "2", "3", "4"};
    return names;
}

const QStringList &EventRecords::editorTitles()
{
    static const QStringList names = {QT_TRANSLATE_NOOP("Preset", "Send MIDI Event"),
                                      QT_TRANSLATE_NOOP("Preset", "Send MIDI SysEx"),
                                      QT_TRANSLATE_NOOP("Preset", "Relay Event"),
                                      QT_TRANSLATE_NOOP("Preset", "System Event"),
                                      QT_TRANSLATE_NOOP("Preset", "Run Macro"),
                                      QT_TRANSLATE_NOOP("Preset", "Send Serial Event")};
    return names;
}

int EventRecords::statusByte(int typeIndex, int channel)
{
    return StatusFirst + 16 * typeIndex + (channel - 1);
}

int EventRecords::typeOfStatus(int status)
{
    return isChannelStatus(status) ? (status >> 4) - 8 : 0;
}

int EventRecords::channelOfStatus(int status)
{
    return isChannelStatus(status) ? (status & 0x0F) + 1 : 1;
}

MidiRecord EventRecords::readMidi(const PresetImage &image, int entry)
{
    const auto pool = PresetImage::MidiEventPool;
    MidiRecord r;
    r.port = byteAt(image, pool, entry, 0);
    r.status = byteAt(image, pool, entry, 1);
    r.data1 = byteAt(image, pool, entry, 2);
    r.data2 = byteAt(image, pool, entry, 3);
    return r;
}

SysexRecord EventRecords::readSysex(const PresetImage &image, int entry)
{
    const auto pool = PresetImage::SysexEventPool;
    SysexRecord r;
    r.port = byteAt(image, pool, entry, 0);
    const int count = qBound(0, byteAt(image, pool, entry, 1) - 1, SysexMaxMessage);
    for (int i = 0; i < count; ++i)
        r.message.append(static_cast<char>(byteAt(image, pool, entry, 2 + i)));
    return r;
}

RelayRecord EventRecords::readRelay(const PresetImage &image, int entry)
{
    const auto pool = PresetImage::RelayEventPool;
    RelayRecord r;
    r.relay = byteAt(image, pool, entry, 0);
    r.action = byteAt(image, pool, entry, 1);
    return r;
}

SerialRecord EventRecords::readSerial(const PresetImage &image, int entry)
{
    const auto pool = PresetImage::SerialEventPool;
    SerialRecord r;
    r.ascii = byteAt(image, pool, entry, 1) == 1;
    r.cr = byteAt(image, pool, entry, 2) == 1;
    r.lf = byteAt(image, pool, entry, 3) == 1;
    const int count = qBound(0, byteAt(image, pool, entry, 0) - SerialHeaderSize, SerialMaxData);
    for (int i = 0; i < count; ++i)
        r.data.append(static_cast<char>(byteAt(image, pool, entry, SerialHeaderSize + i)));
    return r;
}

void EventRecords::writeMidi(PresetImage &image, int entry, const MidiRecord &record)
{
    const auto pool = PresetImage::MidiEventPool;
    image.setValue(pool, entry, 0, record.port);
    image.setValue(pool, entry, 1, record.status);
    image.setValue(pool, entry, 2, record.data1);
    image.setValue(pool, entry, 3, record.data2);
}

void EventRecords::writeSysex(PresetImage &image, int entry, const SysexRecord &record)
{
    const auto pool = PresetImage::SysexEventPool;
    const int count = qMin(record.message.size(), SysexMaxMessage);
    image.setValue(pool, entry, 0, record.port);
    image.setValue(pool, entry, 1, count + 1);
    for (int i = 0; i < count; ++i)
        image.setValue(pool, entry, 2 + i, static_cast<unsigned char>(record.message.at(i)));
}

void EventRecords::writeRelay(PresetImage &image, int entry, const RelayRecord &record)
{
    const auto pool = PresetImage::RelayEventPool;
    image.setValue(pool, entry, 0, record.relay);
    image.setValue(pool, entry, 1, record.action);
}

void EventRecords::writeSerial(PresetImage &image, int entry, const SerialRecord &record)
{
    const auto pool = PresetImage::SerialEventPool;
    const int count = qMin(record.data.size(), SerialMaxData);
    image.setValue(pool, entry, 0, count + SerialHeaderSize);
    image.setValue(pool, entry, 1, record.ascii ? 1 : 0);
    image.setValue(pool, entry, 2, record.cr ? 1 : 0);
    image.setValue(pool, entry, 3, record.lf ? 1 : 0);
    for (int i = 0; i < count; ++i)
        image.setValue(pool, entry, SerialHeaderSize + i,
                       static_cast<unsigned char>(record.data.at(i)));
}

QString EventRecords::describeMidiEvent(const PresetImage &image, int entry, Translate translate)
{
    const auto t = [translate](const QString &text) { return translated(translate, text); };
    const MidiRecord r = readMidi(image, entry);
    if (r.port < 1)
        return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "<No Midi Data>")));

    QString type;
    QString channel;
    if (isChannelStatus(r.status)) {
        const int typeIndex = typeOfStatus(r.status);
        type = t(midiMessageTypeNames().at(typeIndex)) + " " + QString::number(r.data1);
        switch (typeIndex) {
        case 0: // Note Off
        case 1: // Note On
            type += t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", ", Vel %1"))).arg(r.data2);
            break;
        case 4: // Program Change
        case 5: // Channel Pressure
            break;
        default:
            type += ", " + QString::number(r.data2);
            break;
        }
        channel = t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Chan %1")))
                      .arg(channelOfStatus(r.status));
    }
    return type + ", " + channel + " [" + t(portText(r.port)) + "]";
}

QString EventRecords::describeEvent(const PresetImage &image, int code, Translate translate)
{
    const auto t = [translate](const QString &text) { return translated(translate, text); };
    const EventKind kind = kindOfCode(code);
    const int entry = poolEntryOfCode(image, code);
    switch (kind) {
    case EventKind::Midi:
        return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "MIDI: %1")))
            .arg(describeMidiEvent(image, entry, translate));
    case EventKind::SysEx: {
        if (entry < 0)
            return t(QStringLiteral(
                         QT_TRANSLATE_NOOP("Preset", "MIDI SYSEX: code %1 names no SysEx entry")))
                .arg(code);
        const auto pool = PresetImage::SysexEventPool;
        const int length = image.value(pool, entry, 1);
        const QString port = t(portText(image.value(pool, entry, 0)));
        if (length < 1 || length > SysexMaxMessage + 1)
            return t(QStringLiteral(
                         QT_TRANSLATE_NOOP("Preset", "MIDI SYSEX: ? Bytes (length byte %1) [%2]")))
                .arg(length)
                .arg(port);
        return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "MIDI SYSEX: %1 Bytes [%2]")))
            .arg(length - 1)
            .arg(port);
    }
    case EventKind::Relay: {
        const RelayRecord r = readRelay(image, entry);
        const QStringList &actions = relayActionNames();
        const QString action =
            r.action >= 0 && r.action < actions.size()
                ? t(actions.at(r.action))
                : t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Action %1"))).arg(r.action);
        return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "RELAY: Relay %1 %2")))
            .arg(r.relay)
            .arg(action);
    }
    case EventKind::Macro:
        if (code > MacroFirstCode + 11) {
            const int pair = code - (MacroFirstCode + 12);
            return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "MACRO: Toggle Macro Pair %1-%2")))
                .arg(2 * pair + 1)
                .arg(2 * pair + 2);
        }
        return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "MACRO: Macro %1"))).arg(code - 128);
    case EventKind::Serial: {
        const int length = image.value(PresetImage::SerialEventPool, entry, 0);
        if (length < SerialHeaderSize || length > SerialHeaderSize + SerialMaxData)
            return t(QStringLiteral(
                         QT_TRANSLATE_NOOP("Preset", "SERIAL: ? Bytes (length byte %1)")))
                .arg(length);
        return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "SERIAL: %1 Bytes")))
            .arg(length - SerialHeaderSize);
    }
    case EventKind::System:
        return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "SYSTEM: %1")))
            .arg(t(systemEventNames().at(code - SystemFirstCode)));
    case EventKind::None:
        break;
    }
    return t(QStringLiteral(QT_TRANSLATE_NOOP("Preset", "empty slot")));
}
